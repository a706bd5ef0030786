// The main window's own life: building the panel and its parts, joining and
// leaving tables, closing, bounds and settings.
#include "client/tchat.h"

#include "client/board/guess_row.h"
#include "client/chat/chat_entry.h"
#include "client/core/access_keys.h"
#include "client/look/artwork.h"
#include "client/look/clickable_label.h"
#include "client/look/live_status.h"
#include "client/look/message_box.h"
#include "client/look/panel_zoom.h"
#include "client/look/project_page.h"
#include "client/look/widget_look.h"
#include "client/message_trace.h"
#include "net/player_messages.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

Tchat::Tchat(Hooks hooks)
    : hooks_(std::move(hooks)),
      settings_({
          .collect = [this] { return collectSettings(); },
          .apply = [this](const PlayerSettings& loaded) { applySettings(loaded); },
          .say = [this](const QString& line) { say(line); },
      }) {
    setObjectName("chat");
    setWindowTitle("Ludomyra");
    ownedMenu_ = std::make_unique<MainMenu>(menuBar());
    menu = ownedMenu_.get();
    buildPanel();
    if (hooks_.textWanted)
        hooks_.textWanted();
    buildParts();
    buildDispatch();
    connectMenu();
    accesskeys::assign(menuBar());
    accesskeys::openWithF10(this, menuBar());
    accesskeys::contextMenuOnShiftF10(this);

    Sock11.setHostName("127.0.0.1");
    Sock11.setPortName(kPresencePort);

    Timer1.setInterval(kTimer1IntervalMs);
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1.start();

    setBounds(QRect(3, 3, defaultwidth, defaultheight));
}

Tchat::~Tchat() = default;

void Tchat::buildPanel() {
    auto* central = new QWidget(this);
    central->setObjectName("client");
    central->setMinimumSize(kMinClientWidth, kMinClientHeight); // the zoom changes it
    // A palette, not a style sheet: a sheet here would restyle every widget
    // in the window, and polishing them all was a large part of start-up.
    look::setBackground(central, QColor(30, 20, 12));
    setCentralWidget(central);

    panel_board = new QWidget(central);
    panel_board->setObjectName("panel_board");
    panel_board->setGeometry(3, 3, kPanelWidth, kPanelHeight);
    panel_board->setAutoFillBackground(true);
    QPalette wood = panel_board->palette();
    wood.setBrush(QPalette::Window, QBrush(artwork::picture(ArtRole::Background)));
    panel_board->setPalette(wood);
    zoom_ =
        new PanelZoom(central, panel_board, QSize(kMinClientWidth, kMinClientHeight), QPoint(3, 3));
    zoomMenu_ = new ZoomMenu(menuBar(), [this](int percent) { zoomChosen(percent); });

    auto* logo = new ClickableLabel(panel_board);
    logo->setObjectName("image_logo");
    // Its right edge lines up with the chat's, clear of the window's edge.
    logo->setGeometry(QRect(QPoint(628, 266), artwork::naturalSize(ArtRole::Logo)));
    logo->setPixmap(artwork::picture(ArtRole::Logo));
    logo->setAccessibleName("Ludomyra web page");
    connect(logo, &ClickableLabel::clicked, this, [] { projectpage::open(); });

    auto* start = new ClickableLabel(panel_board);
    connect(start, &ClickableLabel::clicked, this, [this] { button_startClick(); });
    button_start = start;
    button_start->setObjectName("button_start");
    button_start->setGeometry(QRect(QPoint(256 + 163, 3 + 189), QSize(150, 35)));
    button_start->setPixmap(artwork::picture(ArtRole::StartButton));
    button_start->setAccessibleName("Start Game");
    button_start->hide();
}

void Tchat::buildParts() {
    liveStatus = new LiveStatus(panel_board);
    const auto sayLine = [this](const QString& line) {
        say(line);
    };
    const auto playSound = [this](const QString& name) {
        sounds->playsounds(name);
    };
    chat = new ChatPart(panel_board, *menu, state, *this);
    chat->settingsChanged = [this] {
        saveinifile();
    };
    chat->phrasesEdited = [this](const QStringList& phrases) {
        savePhrases(phrases);
    };
    mainchat = chat->pane();
    mychat = chat->entry();
    options = new OptionsMenu(*menu, model_.settings(), [this] { saveinifile(); });
    options->setParent(this);
    seats = new Seats(
        panel_board, state, model_, *this,
        {
            .say = sayLine,
            .playsound = playSound,
            .ownArrival = [this] { ownArrival(); },
            .ownWatchingChanged = [this](bool watching) { menu->JustWatch1->setChecked(watching); },
            .ownRemoval = [this] { link_.removed(); },
            .seatingChanged = [this] { showHostControls(); },
        });
    sounds = new Sounds(panel_board, state, *this, model_, *options, sayLine);
    board = new Board(panel_board, state, model_, *this, *options,
                      {
                          .focusChat = [this] { mychat->setFocus(Qt::OtherFocusReason); },
                          .windowActive = [this] { return isActiveWindow(); },
                          .announce = [this](const QString& news) { liveStatus->announce(news); },
                          .playsound = playSound,
                          .say = sayLine,
                      });
    seats->attachPopup(board->status(), 1); // the status line acts on seat 1
    chat->entry()->guessWaiting = [this] {
        return board->waitingForGuess();
    };
    chat->entry()->backToGuess = [this] {
        board->guessRow()->focusFirst();
    };
    table =
        new PoolTable(panel_board, state, model_,
                      {
                          .say = sayLine,
                          .addgame =
                              [this](const QString& winnerText) {
                                  if (hooks_.addgame)
                                      hooks_.addgame(winnerText);
                              },
                          .gameStarting = [this] { menu->JustWatch1->setChecked(false); },
                          .gameUnderway =
                              [this] {
                                  gameInPlay_ = true;
                                  showHostControls();
                              },
                          .gameEnded =
                              [this] {
                                  gameInPlay_ = false;
                                  showHostControls();
                              },
                          .news = [this](const QString& result) { liveStatus->announce(result); },
                          .playsound = playSound,
                      });
    button_start->raise(); // it stands on the table
    const auto offerIf = [](const auto& hook, auto call) -> std::function<void()> {
        if (!hook)
            return {};
        return call;
    };
    sessionEnd =
        new SessionEndBar(panel_board,
                          {
                              .join = offerIf(hooks_.playWithOthersWanted,
                                              [this] { hooks_.playWithOthersWanted(false); }),
                              .host = offerIf(hooks_.playWithOthersWanted,
                                              [this] { hooks_.playWithOthersWanted(true); }),
                              .solo = offerIf(hooks_.soloWanted, [this] { hooks_.soloWanted(); }),
                              .exit = [this] { Exit1Click(); },
                              .rejoin = [this] { rejoinSeat(); },
                              .giveUp = [this] { link_.giveUp(); },
                          },
                          [this] { orderFocus(); });
    orderFocus();
    ClientOutbox& outbox = *this;
    session_ = std::make_unique<ClientSession>(state, outbox,
                                               ClientSession::Hooks{
                                                   .say = sayLine,
                                                   .loggedIn = [this] { loggedIn(); },
                                                   .hostFull = [this] { link_.full(); },
                                                   .rejoinKey = [this] { return link_.logInKey(); },
                                               });
}

void Tchat::connectMenu() {
    connect(menu->Exit1, &QAction::triggered, this, [this] { Exit1Click(); });
    connect(menu->ResetScreenLocation1, &QAction::triggered, this,
            [this] { ResetScreenLocation1Click(); });
    connect(menu->ClearMainChat1, &QAction::triggered, mainchat, &ChatPane::clearChat);
    connect(menu->ScrollChatOff1, &QAction::toggled, this,
            [this](bool on) { mainchat->scrollOff = on; });
    // The check mark follows the host's answer, not the click.
    connect(menu->JustWatch1, &QAction::triggered, this, [this](bool checked) {
        menu->JustWatch1->setChecked(!checked);
        seats->JustWatch1Click(!checked);
    });
    // The program's other windows.
    const auto report = [this](QAction* item, std::function<void()> Hooks::*hook) {
        connect(item, &QAction::triggered, this, [this, hook] {
            if (hooks_.*hook)
                (hooks_.*hook)();
        });
    };
    connect(menu->StartGame1, &QAction::triggered, this, [this] { button_startClick(); });
    report(menu->SpyList1, &Hooks::spyListWanted);
    report(menu->ViewTally1, &Hooks::tallyWanted);
    report(menu->Content1, &Hooks::helpWanted);
    report(menu->About1, &Hooks::aboutWanted);
    report(menu->CopyInviteLink1, &Hooks::inviteLinkWanted);
    for (const bool hosting : {true, false}) {
        connect(hosting ? menu->HostaGame1 : menu->JoinaGame1, &QAction::triggered, this,
                [this, hosting] {
                    if (hooks_.playWithOthersWanted)
                        hooks_.playWithOthersWanted(hosting);
                });
    }
}

void Tchat::send(const QString& text) {
    if (link_.send(text))
        wakeTimer1(); // a phrase starts its cool-down
}

void Tchat::addlinetochat(const QString& line, ColourValue colour) {
    chat->addlinetochat(line, colour);
}

QStringList Tchat::otherSeatedPeople() const {
    QStringList names;
    for (int n = 1; n <= game::kSeats; ++n) {
        if (n != state.myseat && model_.occupied(n))
            names.append(model_.seat(n).name);
    }
    return names;
}

void Tchat::say(const QString& systemLine) {
    addlinetochat(systemLine, kSystemLineColour);
    messagetrace::shown("system", {systemLine.section(u'+', 1)});
}

void Tchat::beginHosting(const QString& playerName, quint16 port, bool othersMayJoin) {
    state.ishost = true;
    menu->CopyInviteLink1->setEnabled(othersMayJoin);
    joinHost(playerName, "127.0.0.1", QString::number(port));
}

// The choices of an ended connection give way to the table.
void Tchat::joinHost(const QString& playerName, const QString& address, const QString& port) {
    sessionEnd->withdraw();
    state.loginname = playername = playerName;
    link_.join(address, port);
    showHostControls();
}

// Leaving a table in play on purpose lets the seat go (the host lets it
// expire). Leaving while the tries run keeps the key: "Rejoin your seat"
// may be what the player chose.
void Tchat::leaveTable() {
    // At no table (the program's first, or one already left) the table is
    // clear: drawing every cell, seat and rack again delayed the first frame.
    if (link_.state().stage == LinkState::Stage::Idle)
        return;
    if (link_.leave())
        say("0+You left the table.");
    sessionEnd->withdraw();
    state = ClientState{};
    clearTable();
    menu->JustWatch1->setChecked(false);
    menu->JustWatch1->setEnabled(true);
    menu->CopyInviteLink1->setEnabled(false);
    showHostControls();
}

void Tchat::loggedIn() {
    showHostControls();
    menu->JustWatch1->setEnabled(ClientState::isSeat(state.myseat)); // spies never play
    if (hooks_.loggedIn)
        hooks_.loggedIn();
}

// Start Game, in the File menu and as the button on the table, is the host
// player's: the hosting copy's until it is logged in, then whoever the host
// takes game starts from (Seats::holdsHostRights: slot 1, or at a dedicated
// host whoever it says holds the rights). The button stands on the table only
// between games.
void Tchat::showHostControls() {
    const bool ended = link_.state().stage == LinkState::Stage::Ended;
    const bool mine = !ended && (state.connected ? seats->holdsHostRights() : state.ishost);
    menu->StartGame1->setEnabled(mine);
    button_start->setVisible(mine && !gameInPlay_);
}

// The start button and "Start Game" open the game options once logged in; a
// running game is given up only on the player's word.
void Tchat::button_startClick() {
    if (!state.connected) {
        messagebox::show(this, "You are not connected");
        return;
    }
    if (gameInPlay_ && !messagebox::ask(this, "A game is running. Start a new one?"))
        return;
    if (hooks_.gameOptionsWanted)
        hooks_.gameOptionsWanted();
}

void Tchat::startGame() {
    if (!seats->holdsHostRights())
        return;
    send(playermsg::StartGame::build(playername, gameChoice().type(), gameChoice().botoff == 0));
    saveinifile();
}

QRect Tchat::bounds() const {
    return geometry().marginsAdded(frameBorders());
}

// Asked of the window system each time: the widget's own copy of the frame
// is only brought up to date by a move or a resize.
QMargins Tchat::frameBorders() const {
    const QWindow* window = windowHandle();
    return window ? window->frameMargins() : QMargins();
}

// Until the window manager has framed the window its frame is not known, and
// the bounds would be taken as the client area's: kept there, the frame lands
// above and around them and the window creeps at every start. They are laid
// out again once the frame shows.
void Tchat::setBounds(const QRect& outer) {
    const QMargins frame = frameBorders();
    boundsAwaitingFrame_ = frame.isNull() ? std::optional<QRect>(outer) : std::nullopt;
    setGeometry(outer.marginsRemoved(frame));
}

void Tchat::frameMaybeKnown() {
    if (boundsAwaitingFrame_ && !frameBorders().isNull())
        setBounds(*boundsAwaitingFrame_);
}

// The window manager tells of the frame it drew in events of its own (on
// X11 a property of the window); Qt reads them after this.
bool Tchat::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    if (boundsAwaitingFrame_)
        QMetaObject::invokeMethod(this, &Tchat::frameMaybeKnown, Qt::QueuedConnection);
    return QMainWindow::nativeEvent(eventType, message, result);
}

QRect Tchat::visibleBounds(const QRect& stored) const {
    const QRect fallback(3, 3, defaultwidth, defaultheight);
    if (stored.width() < kMinClientWidth / 2 || stored.height() < kMinClientHeight / 2)
        return fallback;
    // The screen that shows the most of the window is the one it is on.
    QRect area;
    qint64 mostShown = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect shown = screen->availableGeometry().intersected(stored);
        const qint64 shownArea = qint64(shown.width()) * shown.height();
        if (shown.width() >= 100 && shown.height() >= 50 && shownArea > mostShown) {
            mostShown = shownArea;
            area = screen->availableGeometry();
        }
    }
    if (area.isEmpty())
        return fallback;
    // A hand-edited or damaged file must not make a window of gigabytes.
    const QMargins frame = frameBorders();
    const QSize smallest = minimumSizeHint().expandedTo(minimumSize()) +
                           QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    return QRect(stored.topLeft(), stored.size().boundedTo(area.size()).expandedTo(smallest));
}

void Tchat::ResetScreenLocation1Click() {
    setBounds(QRect(3, 3, defaultwidth, defaultheight));
}

void Tchat::Exit1Click() {
    close();
}

// Hidden rather than closed: the program quits next, and its quit closes
// only the windows that show, so nobody is asked.
void Tchat::closeWithoutAsking() {
    closeForGood();
    hide();
}

// The hosting player's table ends with the window, even when the window's
// own connection to it has ended: the others are asked about first. Klot is
// nobody to ask for.
bool Tchat::othersAtMyTable() const {
    return state.ishost && model_.othersPresent(state.myseat);
}

void Tchat::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    if (hooks_.firstShown)
        hooks_.firstShown();
}

void Tchat::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (painted_)
        return;
    painted_ = true;
    // The window's parts paint in the same pass: what waits for the first
    // frame runs after it.
    QTimer::singleShot(0, this, [this] {
        seats->takeKeys();
        orderFocus();
        if (hooks_.firstFrame)
            hooks_.firstFrame();
    });
}

void Tchat::closeEvent(QCloseEvent* event) {
    if (othersAtMyTable() &&
        !messagebox::ask(this, "Others are at your table. Closing ends the game for them.")) {
        event->ignore();
        return;
    }
    closeForGood();
    QMainWindow::closeEvent(event);
}

void Tchat::closeForGood() {
    link_.letSeatGo();
    FormClose();
}

QRect Tchat::boundsToSave(const QRect& frame, const QSize& workArea) {
    QRect keep = frame;
    if (keep.width() > workArea.width())
        keep.setWidth(keep.width() - 15);
    if (keep.height() > workArea.height())
        keep.setHeight(keep.height() - 15);
    return keep;
}

void Tchat::FormClose() {
    const QRect frame = bounds();
    if (frame == QRect(savedleft, savedtop, savedwidth, savedheight))
        return; // every other setting was saved when it changed
    const QSize workArea = screen() ? screen()->availableGeometry().size() : frame.size();
    const QRect keep = boundsToSave(frame, workArea);
    savedleft = keep.left();
    savedtop = keep.top();
    savedwidth = keep.width();
    savedheight = keep.height();
    saveinifile();
}

// The main window's own life: building the panel and its parts, the
// connection and its queue, closing, bounds and settings.
#include "client/tchat.h"

#include "client/clickable_label.h"
#include "common/environment.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

Tchat::Tchat()
    : settings_({[this] { return collectSettings(); },
                 [this](const PlayerSettings& loaded) { applySettings(loaded); },
                 [this](const QString& line) {
                     say(line);
                 }}) {
    setObjectName("chat");
    setWindowTitle("Ludomyra");
    menu = new MainMenu(menuBar());
    buildPanel();
    buildParts();
    buildDispatch();
    connectMenu();

    sock.setPortName(environment::gamePortName());
    sock.OnInfo = [this](TSock* s, TSocketInfo info, const QString& msg) {
        sockInfo(s, info, msg);
    };
    sock.OnRead = [this](TSock* s, int count) {
        sockRead(s, count);
    };
    sock.OnConnect = [this](TSock*) {
        everConnected_ = true;
    };
    Sock11.setHostName("127.0.0.1");
    Sock11.setPortName(kPresencePort);

    Timer1.setInterval(kTimer1IntervalMs);
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1.start();

    setBounds(QRect(3, 3, defaultwidth, defaultheight));
}

Tchat::~Tchat() {
    closing_ = true;
    sock.OnInfo = nullptr;
    sock.OnRead = nullptr;
}

void Tchat::buildPanel() {
    auto* central = new QWidget(this);
    central->setObjectName("client");
    central->setMinimumSize(kMinClientWidth, kMinClientHeight);
    central->setStyleSheet("QWidget#client { background: rgb(38, 28, 20); }");
    setCentralWidget(central);

    panel_board = new QWidget(central);
    panel_board->setObjectName("panel_board");
    panel_board->setGeometry(3, 3, kPanelWidth, kPanelHeight);
    panel_board->setStyleSheet("QWidget#panel_board { background: qlineargradient(x1:0, y1:0, "
                               "x2:0, y2:1, stop:0 rgb(40, 92, 58), stop:1 rgb(22, 60, 38)); "
                               "border: 2px solid rgb(92, 58, 30); border-radius: 6px; }");

    auto* chatFrame = new QFrame(panel_board);
    chatFrame->setObjectName("panel_chat");
    chatFrame->setGeometry(380, 311, 348, 175);
    chatFrame->setStyleSheet("QFrame#panel_chat { background: rgb(92, 58, 30); }");
    mainchat = new ChatPane(panel_board);
    mainchat->setGeometry(382, 313, 344, 171);

    mychat = new QLineEdit(panel_board);
    mychat->setObjectName("mychat");
    mychat->setGeometry(380, 487, 321, 22);
    QFont entryFont("Arial");
    entryFont.setPixelSize(13);
    mychat->setFont(entryFont);
    mychat->setText("<Enter Chat Here>");

    auto* start = new ClickableLabel(panel_board);
    connect(start, &ClickableLabel::clicked, this, [this] {
        if (showGameOptions)
            showGameOptions();
    });
    button_start = start;
    button_start->setObjectName("button_start");
    button_start->setText("START");
    button_start->setAlignment(Qt::AlignCenter);
    button_start->setGeometry(456, 230, 120, 26);
    button_start->setStyleSheet("QLabel { color: rgb(224, 227, 157); font: bold 13px 'Arial'; "
                                "background: rgb(92, 58, 30); border-radius: 4px; }");
    button_start->hide();
}

void Tchat::buildParts() {
    const auto sayLine = [this](const QString& line) {
        say(line);
    };
    options = new OptionsMenu(*menu, [this] { saveinifile(); });
    seats = new Seats(panel_board, state, *this,
                      {sayLine, [this](const QString& name) { sounds->playsounds(name); },
                       [this] { loadinifile(); },
                       [this](bool watching) {
                           menu->JustWatch1->setChecked(watching);
                       }});
    sounds = new Sounds(panel_board, state, *this, *seats, *options, sayLine);
    board = new Board(panel_board, state, *this, *seats, *sounds, *options,
                      {[this] { mychat->setFocus(Qt::OtherFocusReason); },
                       [this] {
                           return isActiveWindow();
                       }});
    table = new PoolTable(panel_board, state, *seats, *sounds,
                          {sayLine,
                           [this](const QString& winnerText) {
                               if (addgame)
                                   addgame(winnerText);
                           },
                           [this](bool shown) { button_start->setVisible(shown); },
                           [this] {
                               menu->JustWatch1->setChecked(false);
                           }});
    button_start->raise(); // it stands on the table
    session_ = new ClientSession(state, *this,
                                 {sayLine, [this] { showHostControls(); },
                                  [this] {
                                      hostFull();
                                  }});
}

void Tchat::connectMenu() {
    connect(menu->Exit1, &QAction::triggered, this, [this] { Exit1Click(); });
    connect(menu->ResetScreenLocation1, &QAction::triggered, this,
            [this] { ResetScreenLocation1Click(); });
    connect(menu->ClearMainChat1, &QAction::triggered, mainchat, &QTextBrowser::clear);
    connect(menu->ScrollChatOff1, &QAction::toggled, this,
            [this](bool on) { mainchat->scrollOff = on; });
    // The check mark follows the host's answer, not the click.
    connect(menu->JustWatch1, &QAction::triggered, this, [this](bool checked) {
        menu->JustWatch1->setChecked(!checked);
        seats->JustWatch1Click(!checked);
    });
    connect(menu->StartGame1, &QAction::triggered, this, [this] {
        if (showGameOptions)
            showGameOptions();
    });
}

void Tchat::send(const QString& text) {
    if (closing_ || !sock.Connected())
        return;
    sock.Send(buildMessage(text));
}

void Tchat::addlinetochat(const QString& line, ColourValue colour) {
    const QRgb rgb =
        qRgb(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
    mainchat->addlinetochat(line, rgb);
}

// Received chat: the line before the last "|", shown in red until the chat part reads colours.
void Tchat::chatrecieved(const QString& args) {
    const qsizetype bar = args.lastIndexOf(u'|');
    addlinetochat(bar < 0 ? args : args.left(bar), kUnreadableColour);
}

// Slot 1 has the host player's say over games and removals, whether this
// process hosts or joined a dedicated host.
void Tchat::showHostControls() {
    const bool mine = state.holdsSlotOne() || state.ishost;
    menu->StartGame1->setEnabled(mine);
    button_start->setVisible(mine);
}

void Tchat::startGame() {
    if (!state.holdsSlotOne())
        return;
    send(QStringLiteral("CMD_startgame+") + playername + u'+' + gamechoice.keyword() + u'+' +
         QString::number(gamechoice.botoff) + u'+');
    saveinifile();
}

QRect Tchat::bounds() const {
    return frameGeometry();
}

void Tchat::setBounds(const QRect& outer) {
    const QSize frameExtra = frameGeometry().size() - geometry().size();
    move(outer.topLeft());
    resize(outer.size() - frameExtra);
}

QRect Tchat::visibleBounds(const QRect& stored) const {
    const QRect fallback(3, 3, defaultwidth, defaultheight);
    if (stored.width() < kMinClientWidth / 2 || stored.height() < kMinClientHeight / 2)
        return fallback;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect shown = screen->availableGeometry().intersected(stored);
        if (shown.width() >= 100 && shown.height() >= 50)
            return stored;
    }
    return fallback;
}

void Tchat::ResetScreenLocation1Click() {
    setBounds(QRect(3, 3, defaultwidth, defaultheight));
}

void Tchat::Exit1Click() {
    close();
}

void Tchat::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    if (onFirstShow)
        onFirstShow();
}

void Tchat::closeEvent(QCloseEvent* event) {
    FormClose();
    QMainWindow::closeEvent(event);
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

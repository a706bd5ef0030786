#pragma once

#include "client/board/board.h"
#include "client/chat/chat_pane.h"
#include "client/chat/chat_part.h"
#include "client/chat/colour_value.h"
#include "client/client_session.h"
#include "client/client_settings.h"
#include "client/core/client_outbox.h"
#include "client/core/client_state.h"
#include "client/core/main_menu.h"
#include "client/core/options_menu.h"
#include "client/core/table_model.h"
#include "client/core/zoom_menu.h"
#include "client/link/host_link.h"
#include "client/link/reconnection.h"
#include "client/link/tsock_host_socket.h"
#include "client/look/session_end_bar.h"
#include "client/seats/seats.h"
#include "client/sound/sounds.h"
#include "client/table/pool_table.h"
#include "net/protocol.h"
#include "net/tsock.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QRect>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

// The main window: the game client. A thin owner of its parts (seats, chat,
// board, table, sounds, options, settings) and of its link to the host; it
// hands each message the link queued to the part that owns its command.
class PanelZoom;
class LiveStatus;

class Tchat : public QMainWindow, private ClientOutbox {
    Q_OBJECT
    friend class TchatProbe; // what tests see of the parts, the link and the ticks
public:
    // One dispatch step every tick; counted ticks pace the phrase cool-down and
    // the table animation, so the interval is part of the game's feel.
    static constexpr int kTimer1IntervalMs = 16;
    // With nothing queued, cooling down or moving, Timer1 ticks this slowly:
    // a read wakes it at once, and what is queued without a read (tests,
    // fuzzing) is still found.
    static constexpr int kTimer1IdleIntervalMs = 100;
    static constexpr int kPanelWidth = 737;
    static constexpr int kPanelHeight = 514;
    // The board panel and its 3-pixel margin, in base coordinates: the client
    // area of the default 748 x 563 frame. The zoom scales it, and the client
    // area never shrinks below it at the zoom chosen.
    static constexpr int kMinClientWidth = kPanelWidth + 3;
    static constexpr int kMinClientHeight = kPanelHeight + 3;
    static constexpr char kPresencePort[] = "9001";

    // What the window reports to the program around it.
    struct Hooks {
        // The first showing: start-up reads the command line then.
        std::function<void()> firstShown;
        // Once the first frame has been painted: work the player does not
        // see at once waits for it.
        std::function<void()> firstFrame;
        // The window's player has logged in at a table.
        std::function<void()> loggedIn;
        // Before the window first measures text: the program may still be
        // reading the font configuration on another thread.
        std::function<void()> textWanted;
        // "Start Game" and the start button: the game options window.
        std::function<void()> gameOptionsWanted;
        // The tally counts a finished game: "addtomine" or the winner's name.
        std::function<void(const QString& winnerText)> addgame;
        // The menu items that open the program's other windows.
        std::function<void()> spyListWanted;
        std::function<void()> tallyWanted;
        std::function<void()> helpWanted;
        std::function<void()> aboutWanted;
        // "Host a Game…" (hosting) and "Join a Game…": the Play with Others
        // window; also a choice once the connection has ended. Unset, that
        // choice is not offered there.
        std::function<void(bool hosting)> playWithOthersWanted;
        // "Copy Invite Link", offered while this copy hosts.
        std::function<void()> inviteLinkWanted;
        // A solo game, a choice once the connection has ended.
        std::function<void()> soloWanted;
    };

    explicit Tchat(Hooks hooks = {});
    ~Tchat() override;

    // Plays as playerName against the host this process runs, which listens
    // on port: the client connects over the loopback address. Copy Invite
    // Link is offered only when othersMayJoin.
    void beginHosting(const QString& playerName, quint16 port, bool othersMayJoin);
    // Plays as playerName at a host elsewhere.
    void joinHost(const QString& playerName, const QString& address, const QString& port);
    // Ends the table this window plays at, if any, and empties it for the
    // next: the connection closes (the host tells the others), the seats,
    // board and table show no game. Settings, chat and tally are kept.
    void leaveTable();
    // A multi-player game also opens the presence link.
    void openPresenceLink() { Sock11.Open(); }

    // What the next game will be, as the game options window shows and changes it.
    GameChoice& gameChoice() { return model_.settings().game; }
    const GameChoice& gameChoice() const { return model_.settings().game; }
    // What the host this program runs reads when it needs it.
    const TableSettings& tableSettings() const { return model_.settings(); }
    // The start button and the menu's "Start Game".
    void button_startClick();
    // Sends the start of a game as the game options window chose it, and saves.
    void startGame();

    // The spy list: its entries, and the removals only the host player may ask for.
    void attachSpyList(QListWidget* list) { seats->attachSpyList(list); }
    bool mayRemovePlayers() const { return seats->holdsHostRights(); }
    void removePlayer(int slot) { seats->kicking(slot); }

    void addlinetochat(const QString& line, ColourValue colour);
    // A line of the window's own ("0+TEXT"), in the system colour.
    void say(const QString& systemLine);
    int botSpeedMs() const { return model_.settings().botSpeedMs; }
    int betweenRounds() const { return model_.settings().betweenRounds; }
    // Other seated players' names, for the tally's check list.
    QStringList loadchecklist() const { return model_.otherSeatedNames(state.myseat); }
    // Of those, the ones people play: Klot's seat has no name of its own.
    QStringList otherSeatedPeople() const;

    // The outer frame's bounds, as the settings file stores them.
    QRect bounds() const;
    void setBounds(const QRect& outer);

    void ResetScreenLocation1Click();
    void Exit1Click();
    // Closes at once, even with others at the hosting player's table: the
    // system asked the program to end.
    void closeWithoutAsking();
    void loadinifile() { settings_.loadinifile(); }
    void saveinifile() { settings_.saveinifile(); }
    void savePhrases(const QStringList& phrases) { settings_.savePhrases(phrases); }

    // Bounds to keep at close: the frame, 15 pixels smaller in a dimension
    // that exceeds the work area.
    static QRect boundsToSave(const QRect& frame, const QSize& workArea);
    // Stored bounds that would not show at least 100 x 50 pixels on any screen
    // give way to the defaults; a size larger than the work area of the screen
    // the window shows on is cut down to it, but never below the window's minimum.
    QRect visibleBounds(const QRect& stored) const;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void send(const QString& text) override;
    // One tick of Timer1: the queue, the phrase cool-down, the animation.
    void Timer1Timer();
    void buildPanel();
    void buildParts();
    void buildDispatch();
    void connectMenu();
    // The order in which Tab walks the window's controls.
    void orderFocus();
    void applySettings(const PlayerSettings& loaded);
    PlayerSettings collectSettings() const;
    void loggedIn();
    void showHostControls();
    // View -> Zoom (tchat_zoom.cpp): a step sizes the window to the panel.
    void zoomChosen(int percent);
    void applyZoom(int percent, bool sizeWindow);

    // What the window shows of its link (tchat_link.cpp).
    HostLink::Hooks linkHooks();
    void connectionEnded(LinkEnding why, bool rejoinOffered);
    QString endingLine(LinkEnding why) const;
    void showReconnecting();
    void backInSeat(int seat);
    void seatNotKept(bool refused);
    void ownArrival();
    void rejoinSeat();
    void clearTable();
    // After the host's verdict on a seat key: the table its catch-up lays.
    void layTableIfDue();
    bool othersAtMyTable() const;

    bool timer1HasWork() const;
    void wakeTimer1();
    // Lets the seat go and keeps the bounds, as every way of closing does.
    void closeForGood();
    void FormClose();
    // The frame around the client area; null until a window manager frames it.
    QMargins frameBorders() const;
    void frameMaybeKnown();

    Hooks hooks_;
    QString playername;
    int defaultwidth = PlayerSettings::kDefaultWidth;
    int defaultheight = PlayerSettings::kDefaultHeight;
    int savedleft = 0;
    int savedtop = 0;
    int savedwidth = 0;
    int savedheight = 0;

    ClientState state;
    TableModel model_; // what the window knows of the table; the parts draw it

    TSock Sock11; // presence link: opened in multi-player mode, never used
    QTimer Timer1;

    MainMenu* menu = nullptr;
    QWidget* panel_board = nullptr;
    QLabel* button_start = nullptr;
    ChatPart* chat = nullptr;
    ChatPane* mainchat = nullptr; // the chat's pane and entry box, for the other parts
    QLineEdit* mychat = nullptr;

    Seats* seats = nullptr;
    Board* board = nullptr;
    PoolTable* table = nullptr;
    Sounds* sounds = nullptr;
    OptionsMenu* options = nullptr;
    SessionEndBar* sessionEnd = nullptr;
    PanelZoom* zoom_ = nullptr;
    ZoomMenu* zoomMenu_ = nullptr;
    LiveStatus* liveStatus = nullptr; // news for screen readers

    std::unique_ptr<MainMenu> ownedMenu_; // its actions belong to the menu bar
    ClientSettings settings_;
    std::unique_ptr<ClientSession> session_;
    TSockHostSocket hostSocket_;
    Reconnection reconnection_;
    HostLink link_{hostSocket_, reconnection_, linkHooks()};
    MessageDispatcher dispatcher_;
    std::optional<QRect> boundsAwaitingFrame_; // set while the frame is not known
    bool shown_ = false;
    bool painted_ = false;
    bool gameInPlay_ = false; // from a game's start to its result: no start button
    // A verdict on the seat key came: the catch-up that follows lays the table
    // anew, back in the seat (Returned) or as a new player (Cleared).
    enum class TableDue { No, Cleared, Returned } tableDue_ = TableDue::No;
    QElapsedTimer lastTick_;
};

#pragma once

// What a test may see of the main window beyond what its public verbs offer:
// the parts it drives and reads, the client's own state, its connections, and
// the link's queue of host messages with the tick that works it off.

#include "client/tchat.h"

class TchatProbe {
public:
    explicit TchatProbe(Tchat& window) : window_(window) {}

    const ClientState& state() const { return window_.state; }
    TableModel& model() const { return window_.model_; }
    MainMenu& menu() const { return *window_.menu; }
    ChatPart& chat() const { return *window_.chat; }
    QString chatText() const { return window_.mainchat->toPlainText(); }
    const ChatPane& chatPane() const { return *window_.mainchat; }
    Seats& seats() const { return *window_.seats; }
    Board& board() const { return *window_.board; }
    PoolTable& table() const { return *window_.table; }
    Sounds& sounds() const { return *window_.sounds; }
    QLabel& startButton() const { return *window_.button_start; }
    // The choices offered once the connection has ended.
    SessionEndBar& sessionEnd() const { return *window_.sessionEnd; }
    bool sessionEnded() const { return window_.sessionEnd->isVisibleTo(&window_); }
    const TSock& connection() const { return window_.hostSocket_.tsock(); }
    const TSock& presenceLink() const { return window_.Sock11; }

    // Host messages not yet handled, oldest first: a test queues messages
    // here as a read from the host would.
    QStringList& queue() const { return window_.link_.queue_; }
    QTimer& timer() const { return window_.Timer1; }
    // One tick of the window's timer, or one queued message handled.
    void tick() const { window_.Timer1Timer(); }
    void handleNext() const { window_.link_.handleNext(); }

private:
    Tchat& window_;
};

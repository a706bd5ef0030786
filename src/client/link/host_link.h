#pragma once

#include "client/link/host_socket.h"
#include "client/link/retry_pace.h"
#include "client/link/seat_keeper.h"
#include "net/protocol.h"

#include <QObject>
#include <QStringList>
#include <functional>

// Why the connection to the host ended.
enum class LinkEnding { None, HostClosed, Lost, Unreachable, Removed, Full };

// Where the window's link to its host stands: one value, set in one place.
struct LinkState {
    enum class Stage {
        Idle,       // at no table
        Connecting, // the socket is opening
        Connected,  // up; the host has not offered a slot yet
        Rejoining,  // logged in with a seat key; no verdict on it yet
        LoggedIn,
        Reconnecting, // dropped from a held seat: a pause, or a try under way
        Returning,    // a try logged in with the key; no verdict on it yet
        Ended,        // ending says why; only a join or a leave go on from here
    };
    Stage stage = Stage::Idle;
    // Before Ended: set once the connection has gone. What arrived before is
    // still handled, in order; then the link ends or tries again.
    LinkEnding ending = LinkEnding::None;

    bool operator==(const LinkState&) const = default;
};

// The window's connection to the host: the socket, the framing and the
// bounded queue of what arrived, the pace at which it is handled, how a
// connection ends, the tries to get back to a held seat, and the seat's key.
// The window asks it to join, leave or give up, passes on what the host's
// messages say about the link, and hears of each change through its hooks.
class HostLink : public QObject {
    friend class TchatProbe; // tests queue messages as a read from the host would
public:
    // A relayed chat line carries the sender's name in front of the host's
    // 64 KiB of text.
    static constexpr int kMaxIncomingMessage = 65 * 1024;
    // A host that sends faster than we can ever handle is treated as lost
    // rather than let the queue eat the player's memory.
    static constexpr int kMaxQueuedMessages = 10000;
    static constexpr qsizetype kMaxQueuedChars = 16 * 1024 * 1024;
    // One message a tick is the pace the game was made for; a backlog (a peer
    // chatting flat out) is worked off several a tick, so turns are not late.
    static constexpr int kBacklog = 8;
    static constexpr int kBacklogMessagesPerTick = 16;

    struct Hooks {
        // Hands the first queued message to its handler, which takes it off.
        std::function<void(QStringList& queue)> handleNext;
        // Something waits to be handled: the ticks should come at their pace.
        std::function<void()> wake;
        // The connection was closed: nobody is logged in on it any more.
        std::function<void()> offline;
        // Dropped from a seat the host holds: the table stays, tries begin.
        std::function<void()> reconnecting;
        std::function<void(LinkEnding why, bool rejoinOffered)> ended;
        // Back in the held seat, perhaps under another slot number.
        std::function<void(int seat)> backInSeat;
        // Logged in as a new player instead; refused: the host said so.
        std::function<void(bool refused)> seatNotKept;
    };

    HostLink(HostSocket& socket, RetryPace& pace, Hooks hooks);
    ~HostLink() override;

    // What the window asks of it.
    void join(const QString& host, const QString& port);
    // Closes the connection; true when the player was at a live table.
    bool leave();
    // The window closes, and the connection with the program: a seat at the
    // table is let go, and the tries stop.
    void letSeatGo();
    // "Give Up" while the tries run.
    void giveUp();
    // False when there is no connection to send on.
    bool send(const QString& message);
    // One tick's share of the queue.
    void tick();
    void handleNext();

    // What the host's messages tell it.
    // The key to show with the log-in, or empty.
    QString logInKey();
    // The host logged the player in as a new player.
    void ownArrival();
    void rejoined(int seat);
    void rejoinRefused();
    void removed();
    // The host closes the table on purpose.
    void goodbye();
    void full();
    void keyArrived(const QString& key);
    // A finished game leaves no seat to come back to.
    void gameOver();

    LinkState state() const { return state_; }
    // Queued messages, or a connection gone that is still to be concluded.
    bool hasWork() const;
    qsizetype queued() const { return queue_.size(); }
    QString hostName() const { return host_; }
    QString portName() const { return port_; }

private:
    enum class Event {
        Join,
        TryDue,
        Connected,
        PeerClosed,
        Failed,
        QueueFull,
        Removed,
        Goodbye,
        Full,
        Drained,
        LogIn,
        LogInWithKey,
        Rejoined,
        Refused,
        ArrivedAsNew,
        GiveUp,
        LetSeatGo,
        Leave,
    };
    // The one place where the state changes.
    void on(Event event, int seat = 0);
    static LinkState next(LinkState from, Event event, bool seatKeyHeld);
    void act(Event event, LinkState from, int seat);
    void ended();
    void dropped(bool duringTry);
    void verdict(Event event, int seat); // on the seat key shown at the log-in

    void received(const QByteArray& bytes);
    void open();
    void closeConnection();
    QString tableId() const;
    bool seatKeyHeld() const { return !keys_.keyFor(tableId()).isEmpty(); }

    HostSocket& socket_;
    RetryPace& pace_;
    Hooks hooks_;
    SeatKeeper keys_;
    LinkState state_;
    QString host_;
    QString port_;
    MessageFramer framer_{kMaxIncomingMessage};
    QStringList queue_;
    qsizetype queuedChars_ = 0; // text waiting in queue_
};

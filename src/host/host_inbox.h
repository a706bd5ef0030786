#pragma once

#include "host/host_state.h"
#include "net/protocol.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <deque>
#include <optional>

// One received message waiting for the dispatch timer, with the connection
// that delivered it: its slot and that connection's number. A connection's
// number changes whenever a new connection takes the slot.
struct QueuedMessage {
    int slot = 0; // 0: not from a connection
    quint64 connection = 0;
    QString text; // without its terminator
};

// The host's message queue (receivedlist) and the framing of each slot's
// bytes, with the limits that keep one peer from starving the others. Each
// connection's messages wait in a line of their own, and the lines are
// served in turn: one message from each connection that has any, in the
// order they began waiting, then round again. While no connection has more
// than one message waiting, that is the order in which they arrived; a peer
// with a backlog delays another's message by one turn, never by its backlog.
class HostInbox {
public:
    // Bytes a connection may send without ending a message.
    static constexpr int kMaxUnterminated = MessageFramer::kMaxPending;
    // Messages of one connection that may wait in the queue at once.
    static constexpr int kMaxWaitingPerConnection = 100;
    // Messages of one connection taken in one dispatch tick: enough that a
    // peer chatting a few hundred times a second is worked off, not cut.
    static constexpr int kTakenPerTick = 4;

    HostInbox(); // the queue starts with one empty entry

    void connectionOpened(int slot);
    // Forgets the slot's incomplete tail and drops its waiting messages.
    void connectionClosed(int slot);
    // The connection in slot from goes on in slot to (whose own connection has
    // closed), with its incomplete tail, its waiting messages and its turn.
    void connectionMoved(int from, int to);

    // Frames the bytes a connection delivered and queues each complete
    // message. False when the connection broke a limit: it must be closed.
    bool receive(int slot, const QByteArray& bytes);

    // A dispatch tick begins: every connection may have kTakenPerTick taken.
    void newTick();
    // The next message in turn, or none when nothing waits or the
    // connection whose turn it is has had its share of this tick.
    std::optional<QueuedMessage> takeNext();

    // The first waiting message of the connection in the slot, out of turn,
    // if that connection is still the one numbered; none otherwise.
    std::optional<QueuedMessage> takeFrom(int slot, quint64 number);
    // The number of the connection in the slot (0: none).
    quint64 connectionNumber(int slot) const {
        return HostState::validSlot(slot) ? connection(slot).number : 0;
    }

    int waiting() const { return waiting_; }
    int waitingFrom(int slot) const;

private:
    struct Connection {
        quint64 number = 0; // 0: no connection in the slot
        MessageFramer framer;
        std::deque<QString> messages;
        int takenThisTick = 0;
    };
    // Index 0 holds what no connection sent: the queue's first, empty entry.
    Connection& connection(int slot) { return connections[static_cast<size_t>(slot)]; }
    const Connection& connection(int slot) const { return connections[static_cast<size_t>(slot)]; }
    // Drops the slot's messages and its turn; keeps its number.
    void dropWaiting(int slot);

    std::array<Connection, game::kSlots + 1> connections;
    std::deque<int> turns_; // slots with messages waiting, whose turn is next first
    int waiting_ = 0;
    quint64 lastConnection = 0;
};

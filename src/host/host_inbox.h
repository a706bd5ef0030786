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
// number changes whenever a new connection takes the slot, so a message of a
// connection that has closed is never taken for one of its successor.
struct QueuedMessage {
    int slot = 0; // 0: not from a connection
    quint64 connection = 0;
    QString text; // without its terminator
};

// The host's message queue (receivedlist) and the framing of each slot's
// bytes, with the limits that keep one peer from starving the others.
class HostInbox {
public:
    // Bytes a connection may send without ending a message.
    static constexpr int kMaxUnterminated = MessageFramer::kMaxPending;
    // Messages of one connection that may wait in the queue at once.
    static constexpr int kMaxWaitingPerConnection = 100;

    HostInbox(); // the queue starts with one empty entry

    void connectionOpened(int slot);
    // Forgets the slot's incomplete tail and drops its waiting messages.
    void connectionClosed(int slot);
    // The connection in slot from goes on in slot to (whose own connection has
    // closed), with its incomplete tail and its waiting messages.
    void connectionMoved(int from, int to);

    // Frames the bytes a connection delivered and queues each complete
    // message. False when the connection broke a limit: it must be closed.
    bool receive(int slot, const QByteArray& bytes);

    // The first waiting message of a connection that is still open.
    std::optional<QueuedMessage> takeNext();

    int waiting() const { return static_cast<int>(receivedlist.size()); }
    int waitingFrom(int slot) const;

private:
    struct Connection {
        quint64 number = 0; // 0: no connection in the slot
        MessageFramer framer;
        int waiting = 0;
    };
    Connection& connection(int slot) { return connections[static_cast<size_t>(slot)]; }
    const Connection& connection(int slot) const { return connections[static_cast<size_t>(slot)]; }
    bool stillOpen(const QueuedMessage& message) const;

    std::deque<QueuedMessage> receivedlist;
    std::array<Connection, game::kSlots + 1> connections;
    quint64 lastConnection = 0;
};

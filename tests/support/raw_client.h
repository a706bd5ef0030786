#pragma once

// A game client made of a plain loopback socket: it sends protocol messages
// and collects what the host sends, split at the terminator. Waiting runs the
// Qt event loop, so a host in the same process keeps serving meanwhile.

#include "event_wait.h"
#include "raw_socket.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace testsupport {

class RawClient {
public:
    // Throws std::runtime_error when nobody listens.
    explicit RawClient(quint16 port, quint32 ipv4 = RawSocket::kLoopback);

    void send(const QString& text); // adds the terminator
    void sendBytes(const QByteArray& bytes);
    // All messages received so far, in order.
    const QStringList& messages();
    bool waitFor(const QString& message, int timeoutMs = 10000);
    // The first received message that starts with prefix; empty if none came.
    QString waitForPrefix(const QString& prefix, int timeoutMs = 10000);
    // The host closed the connection.
    bool closedByHost();
    // Waits for CMD_sendlogininfo and logs in; returns the slot, 0 if none came.
    int logIn(const QString& name, const QString& version = QStringLiteral("1.0.8"));
    // From now on messages that start with prefix are not kept: a peer that
    // sits through a flood of long lines need not hold all of them.
    void dropReceived(const QByteArray& prefix) { dropped.append(prefix); }
    // How many received messages were not kept.
    int droppedCount() { return (poll(), droppedMessages); }

    void close() { socket.close(); }
    // The host sees a reset, not an orderly close.
    void reset() { socket.reset(); }

private:
    void poll();

    RawSocket socket;
    QByteArray tail;
    QStringList received;
    QList<QByteArray> dropped;
    int droppedMessages = 0;
    bool hostClosed = false;
};

} // namespace testsupport

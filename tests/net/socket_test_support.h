#pragma once

// Loopback peers of plain BSD sockets, an event recorder for TSock, and waiting
// helpers; every socket here uses 127.0.0.1 and an ephemeral port.

#include "event_wait.h"
#include "net/tsock.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <functional>

namespace nettest {

using testsupport::settle;
using testsupport::waitFor;

// A plain blocking socket: bound (and listening, for RawListener) on loopback.
class RawSocket {
public:
    explicit RawSocket(int fd = -1) : fd(fd) {}
    RawSocket(RawSocket&& other) noexcept : fd(std::exchange(other.fd, -1)) {}
    ~RawSocket() { close(); }
    static RawSocket bound();    // bound, not listening: connections are refused
    static RawSocket listener(); // bound and listening
    static RawSocket connectTo(quint16 port);

    quint16 port() const;
    RawSocket accept(); // a connection of this listener
    void sendAll(const QByteArray& bytes);
    // Reads (running the event loop meanwhile) until count bytes came, or the peer closed.
    QByteArray readExactly(qsizetype count);
    void close();
    void reset(); // closes with SO_LINGER 0: the other side sees a reset

private:
    int fd;
};

// Records what a TSock tells, in order: "info 2 Socket Closed", "connect",
// "disconnect", "read 32768", "write". Detaches itself when it goes first.
struct EventLog {
    EventLog() = default;
    EventLog(const EventLog&) = delete;
    ~EventLog();
    void attach(TSock& sock);
    bool contains(const QString& entry) const { return entries.contains(entry); }
    QStringList entries;

private:
    QList<QPointer<TSock>> attached;
};

QString info(TSocketInfo kind, const QString& msg);

// A listener on an ephemeral port whose OnAccept takes every connection.
struct AcceptingListener {
    AcceptingListener();
    TSock sock;
    QList<TSock*> accepted;
};

// Connects client to listener; returns the accepted end.
TSock* connectClient(TSock& client, AcceptingListener& listener);
// Connects client to a raw listener; returns the raw end.
RawSocket connectClient(TSock& client, RawSocket& listener);

} // namespace nettest

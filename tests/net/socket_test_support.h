#pragma once

// Loopback peers made of plain BSD sockets, an event recorder for TSock, and a
// waiting helper; every socket here uses 127.0.0.1 and port 0.

#include "net/tsock.h"

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

namespace nettest {

// The event loop that TSock notifications need.
void ensureApplication();

// Runs the event loop until condition holds or timeoutMs passes.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = 10000);
// Runs the event loop for a short while, to let events that should not come show.
void settle(int ms = 150);

// A plain blocking TCP socket on the far side of a connection.
class RawPeer {
public:
    explicit RawPeer(int fd = -1) : fd(fd) {}
    RawPeer(RawPeer&& other) noexcept : fd(other.fd) { other.fd = -1; }
    RawPeer& operator=(RawPeer&& other) noexcept;
    ~RawPeer();

    static RawPeer connectTo(quint16 port);
    bool isOpen() const { return fd >= 0; }
    void sendAll(const QByteArray& bytes);
    // Reads until count bytes came or the peer closed (or timeoutMs passed).
    QByteArray readExactly(qsizetype count, int timeoutMs = 10000);
    // Reads until the peer closes.
    QByteArray readToEnd(int timeoutMs = 10000);
    void close();
    // Closes with SO_LINGER 0: the other side sees a reset, not an orderly close.
    void reset();

private:
    int fd;
};

// A plain listening socket on 127.0.0.1 and an ephemeral port.
class RawListener {
public:
    RawListener();
    ~RawListener();
    quint16 port() const { return boundPort; }
    RawPeer accept(int timeoutMs = 10000);

private:
    int fd = -1;
    quint16 boundPort = 0;
};

// A port on which nobody listens (bound, so nobody else takes it meanwhile).
class UnusedPort {
public:
    UnusedPort();
    ~UnusedPort();
    quint16 port() const { return boundPort; }

private:
    int fd = -1;
    quint16 boundPort = 0;
};

// Records everything a TSock tells, in order: "info 2 Socket Closed", "connect",
// "disconnect", "read 32768", "write", "accept".
// Detaches itself from its sockets when it goes first.
struct EventLog {
    EventLog() = default;
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;
    ~EventLog();
    void attach(TSock& sock);
    int count(const QString& entry) const { return int(entries.count(entry)); }
    bool contains(const QString& entry) const { return entries.contains(entry); }
    QStringList infos() const; // only the "info" entries
    QStringList entries;

private:
    QList<QPointer<TSock>> attached;
};

QString info(TSocketInfo kind, const QString& msg);

// A listener on an ephemeral port whose OnAccept takes every connection into accepted.
struct AcceptingListener {
    AcceptingListener();
    TSock sock;
    QList<TSock*> accepted;
};

// Makes a connected pair: a client TSock and the accepted TSock of listener.
TSock* connectClient(TSock& client, AcceptingListener& listener);

} // namespace nettest

#pragma once

// An event recorder for TSock, TSock listeners and connections, and waiting
// helpers; every socket here uses 127.0.0.1 and an ephemeral port.

#include "event_wait.h"
#include "net/tsock.h"
#include "raw_socket.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <functional>

namespace nettest {

using testsupport::RawSocket;
using testsupport::settle;
using testsupport::waitFor;

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

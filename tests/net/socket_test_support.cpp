#include "socket_test_support.h"

#include <stdexcept>

namespace nettest {

QString info(TSocketInfo kind, const QString& msg) {
    return QStringLiteral("info %1 %2").arg(int(kind)).arg(msg);
}

EventLog::~EventLog() {
    for (const QPointer<TSock>& sock : attached) {
        if (sock) {
            sock->OnInfo = nullptr;
            sock->OnConnect = sock->OnDisconnect = sock->OnWrite = nullptr;
            sock->OnRead = nullptr;
        }
    }
}

void EventLog::attach(TSock& sock) {
    attached << &sock;
    sock.OnInfo = [this](TSock*, TSocketInfo kind, const QString& msg) {
        entries << info(kind, msg);
    };
    sock.OnConnect = [this](TSock*) {
        entries << "connect";
    };
    sock.OnDisconnect = [this](TSock*) {
        entries << "disconnect";
    };
    sock.OnWrite = [this](TSock*) {
        entries << "write";
    };
    sock.OnRead = [this](TSock*, int count) {
        entries << QStringLiteral("read %1").arg(count);
    };
}

AcceptingListener::AcceptingListener() {
    sock.setPortName("0");
    sock.OnAccept = [this](TSock* listener) {
        TSock* newSock = nullptr;
        if (listener->Accept(newSock))
            accepted << newSock;
    };
    sock.setListen(true);
}

TSock* connectClient(TSock& client, AcceptingListener& listener) {
    const qsizetype before = listener.accepted.size();
    client.setHostName("127.0.0.1");
    client.setPortName(QString::number(listener.sock.localPort()));
    client.Open();
    if (!waitFor([&] { return client.Connected() && listener.accepted.size() > before; }))
        throw std::runtime_error("the loopback connection did not come up");
    return listener.accepted.last();
}

RawSocket connectClient(TSock& client, RawSocket& listener) {
    client.setHostName("127.0.0.1");
    client.setPortName(QString::number(listener.port()));
    client.Open();
    RawSocket peer = listener.accept();
    if (!waitFor([&] { return client.Connected(); }))
        throw std::runtime_error("the loopback connection did not come up");
    return peer;
}

} // namespace nettest

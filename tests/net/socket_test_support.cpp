#include "socket_test_support.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <arpa/inet.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace nettest {

namespace {

sockaddr_in loopback(quint16 port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// Polls fd while the event loop keeps running, so that TSocks can act meanwhile.
bool readableSoon(int fd) {
    const QDeadlineTimer deadline(10000);
    pollfd entry{fd, POLLIN, 0};
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents();
        if (poll(&entry, 1, 10) > 0)
            return true;
    }
    return false;
}

} // namespace

RawSocket RawSocket::bound() {
    RawSocket sock(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const sockaddr_in address = loopback(0);
    if (::bind(sock.fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("cannot bind a loopback socket");
    return sock;
}

RawSocket RawSocket::listener() {
    RawSocket sock = bound();
    ::listen(sock.fd, 8);
    return sock;
}

RawSocket RawSocket::connectTo(quint16 port) {
    RawSocket sock(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const sockaddr_in address = loopback(port);
    if (::connect(sock.fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("cannot connect to the loopback port");
    return sock;
}

quint16 RawSocket::port() const {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

RawSocket RawSocket::accept() {
    if (!readableSoon(fd))
        throw std::runtime_error("nobody connected to the raw listener");
    return RawSocket(::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC));
}

void RawSocket::sendAll(const QByteArray& bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t sent =
            ::send(fd, bytes.constData() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (sent <= 0)
            throw std::runtime_error("send to the TSock failed");
        done += sent;
    }
}

QByteArray RawSocket::readExactly(qsizetype count) {
    QByteArray result;
    char buffer[65536];
    while (result.size() < count && readableSoon(fd)) {
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        result.append(buffer, got);
    }
    return result;
}

void RawSocket::close() {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

void RawSocket::reset() {
    const linger abortive{1, 0};
    setsockopt(fd, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    close();
}

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

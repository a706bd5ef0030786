#include "socket_test_support.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <arpa/inet.h>
#include <netinet/in.h>
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

quint16 boundPortOf(int fd) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

int boundSocket() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = loopback(0);
    if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("cannot bind a loopback socket");
    return fd;
}

bool readable(int fd, int timeoutMs) {
    pollfd entry{fd, POLLIN, 0};
    return poll(&entry, 1, timeoutMs) > 0;
}

} // namespace

void ensureApplication() {
    static int argc = 1;
    static char name[] = "net_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
    return QTest::qWaitFor(condition, timeoutMs);
}

void settle(int ms) {
    QTest::qWait(ms);
}

RawPeer& RawPeer::operator=(RawPeer&& other) noexcept {
    if (this != &other) {
        close();
        fd = other.fd;
        other.fd = -1;
    }
    return *this;
}

RawPeer::~RawPeer() {
    close();
}

RawPeer RawPeer::connectTo(quint16 port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = loopback(port);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        throw std::runtime_error("cannot connect to the loopback port");
    }
    return RawPeer(fd);
}

void RawPeer::sendAll(const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t sent =
            ::send(fd, bytes.constData() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (sent <= 0)
            throw std::runtime_error("send to the TSock failed");
        done += sent;
    }
}

QByteArray RawPeer::readExactly(qsizetype count, int timeoutMs) {
    QByteArray result;
    QElapsedTimer timer;
    timer.start();
    char buffer[65536];
    while (result.size() < count && timer.elapsed() < timeoutMs) {
        // Let TSocks of this thread flush their queues while we wait.
        QCoreApplication::processEvents();
        if (!readable(fd, 10))
            continue;
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        result.append(buffer, got);
    }
    return result;
}

QByteArray RawPeer::readToEnd(int timeoutMs) {
    return readExactly(std::numeric_limits<qsizetype>::max(), timeoutMs);
}

void RawPeer::close() {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

void RawPeer::reset() {
    const linger abortive{1, 0};
    setsockopt(fd, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    close();
}

RawListener::RawListener() : fd(boundSocket()) {
    ::listen(fd, 8);
    boundPort = boundPortOf(fd);
}

RawListener::~RawListener() {
    ::close(fd);
}

RawPeer RawListener::accept(int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents();
        if (readable(fd, 10))
            return RawPeer(::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC));
    }
    throw std::runtime_error("nobody connected to the raw listener");
}

UnusedPort::UnusedPort() : fd(boundSocket()), boundPort(boundPortOf(fd)) {}

UnusedPort::~UnusedPort() {
    ::close(fd);
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

QStringList EventLog::infos() const {
    QStringList result;
    for (const QString& entry : entries) {
        if (entry.startsWith("info "))
            result << entry;
    }
    return result;
}

AcceptingListener::AcceptingListener() {
    ensureApplication();
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

} // namespace nettest

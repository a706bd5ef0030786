#include "raw_socket.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport {

namespace {

sockaddr_in loopback(quint16 port, quint32 ipv4 = INADDR_LOOPBACK) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(ipv4);
    return address;
}

bool wouldBlock() {
    return errno == EAGAIN || errno == EWOULDBLOCK;
}

// Polls fd while the event loop keeps running.
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
    RawSocket sock(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
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

RawSocket RawSocket::connectTo(quint16 port, quint32 ipv4) {
    RawSocket sock(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const sockaddr_in address = loopback(port, ipv4);
    if (::connect(sock.fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("cannot connect to the loopback port");
    ::fcntl(sock.fd, F_SETFL, ::fcntl(sock.fd, F_GETFL) | O_NONBLOCK);
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
    return RawSocket(::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
}

bool RawSocket::sendAll(const QByteArray& bytes) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n > 0)
            sent += n;
        else if (n < 0 && wouldBlock())
            QTest::qWait(1); // let the peer read
        else
            return false;
    }
    return true;
}

bool RawSocket::receiveAvailable(QByteArray& into) {
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            return n < 0 && wouldBlock();
        into.append(buffer, n);
    }
}

QByteArray RawSocket::readExactly(qsizetype count) {
    QByteArray result;
    while (receiveAvailable(result) && result.size() < count) {
        if (!readableSoon(fd))
            break;
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
    if (fd >= 0)
        ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    close();
}

} // namespace testsupport

#include "raw_client.h"

#include <QTest>
#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace hosttest {

RawClient::RawClient(quint16 port) {
    fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("cannot connect to the host");
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

RawClient::~RawClient() {
    close();
}

void RawClient::send(const QString& text) {
    sendBytes(text.toUtf8() + '\xFF');
}

void RawClient::sendBytes(const QByteArray& bytes) {
    qsizetype sent = 0;
    while (fd >= 0 && sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n > 0)
            sent += n;
        else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return; // the host has gone
        else
            QTest::qWait(1); // let the host read
    }
}

void RawClient::poll() {
    char buffer[65536];
    while (fd >= 0 && !hostClosed) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            tail.append(buffer, n);
        } else {
            hostClosed = n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
            break;
        }
    }
    qsizetype end;
    while ((end = tail.indexOf('\xFF')) >= 0) {
        const QByteArray message = tail.left(end);
        tail.remove(0, end + 1);
        if (std::any_of(dropped.begin(), dropped.end(),
                        [&](const QByteArray& prefix) { return message.startsWith(prefix); }))
            ++droppedMessages;
        else
            received.append(QString::fromUtf8(message));
    }
}

const QStringList& RawClient::messages() {
    poll();
    return received;
}

bool RawClient::waitFor(const QString& message, int timeoutMs) {
    return testsupport::waitFor([&] { return messages().contains(message); }, timeoutMs);
}

QString RawClient::waitForPrefix(const QString& prefix, int timeoutMs) {
    QString found;
    testsupport::waitFor(
        [&] {
            for (const QString& message : messages()) {
                if (message.startsWith(prefix)) {
                    found = message;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

bool RawClient::closedByHost() {
    poll();
    return hostClosed;
}

int RawClient::logIn(const QString& name, const QString& version) {
    const QString asked = waitForPrefix(QStringLiteral("CMD_sendlogininfo+"));
    if (asked.isEmpty())
        return 0;
    const QString slot = asked.section(u'+', 1);
    send(QStringLiteral("CMD_logininfo+%1+%2+%3").arg(slot, version, name));
    return slot.toInt();
}

void RawClient::close() {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

void RawClient::reset() {
    const linger abort{1, 0};
    if (fd >= 0)
        ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    close();
}

} // namespace hosttest

#include "raw_client.h"

#include <algorithm>

namespace testsupport {

RawClient::RawClient(quint16 port, quint32 ipv4) : socket(RawSocket::connectTo(port, ipv4)) {}

void RawClient::send(const QString& text) {
    sendBytes(text.toUtf8() + '\xFF');
}

void RawClient::sendBytes(const QByteArray& bytes) {
    socket.sendAll(bytes); // a host that has gone takes nothing more; closedByHost() tells
}

void RawClient::poll() {
    if (socket.isOpen() && !hostClosed)
        hostClosed = !socket.receiveAvailable(tail);
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

} // namespace testsupport

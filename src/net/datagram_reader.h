#pragma once

#include <QNetworkDatagram>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

namespace datagramreader {

// Datagrams handled before the event loop gets a turn: a flood of them
// must not hold up the game's sockets and timers.
inline constexpr int kBatch = 256;

// Hands each waiting datagram to handle, read with room for one byte more
// than maxSize so that an oversized one shows as such (the rest is dropped).
// After kBatch it lets the loop run and goes on later, while context lives.
template <typename Handle>
void readWaiting(QUdpSocket& socket, qsizetype maxSize, QObject* context, Handle handle) {
    for (int i = 0; i < kBatch; ++i) {
        if (!socket.hasPendingDatagrams())
            return;
        const QNetworkDatagram datagram = socket.receiveDatagram(maxSize + 1);
        if (!datagram.isValid())
            return;
        handle(datagram);
    }
    QTimer::singleShot(0, context, [&socket, maxSize, context, handle] {
        readWaiting(socket, maxSize, context, handle);
    });
}

} // namespace datagramreader

#pragma once

#include <QNetworkDatagram>
#include <QUdpSocket>

namespace datagramreader {

// Datagrams handled before the event loop gets a turn: a flood of them
// must not hold up the game's sockets and timers.
inline constexpr int kBatch = 256;

// For the socket's readyRead: hands at most kBatch waiting datagrams to
// handle, each read with room for one byte more than maxSize so that an
// oversized one shows as such (the rest is dropped), and returns. Qt's
// notifier stays off after a readyRead until the socket is read, and each
// read arms it again: so readyRead comes back while datagrams wait, and the
// first read is tried even when none seems to, lest the socket go deaf.
// (Going on from a timer instead let a timer empty the queue under a
// notification about to fire: that readyRead found nothing to read.)
template <typename Handle> void readBatch(QUdpSocket& socket, qsizetype maxSize, Handle handle) {
    for (int i = 0; i < kBatch && (i == 0 || socket.hasPendingDatagrams()); ++i) {
        const QNetworkDatagram datagram = socket.receiveDatagram(maxSize + 1);
        if (datagram.isValid()) // not when nothing was there to read
            handle(datagram);
    }
}

} // namespace datagramreader

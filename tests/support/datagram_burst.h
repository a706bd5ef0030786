#pragma once

// A burst of datagrams as a stranger would fire it at a discovery socket:
// copies of one datagram, handed to the kernel a thousand at a time
// (sendmmsg), so that 20,000 leave within a tenth of a second or so.

#include "event_wait.h"

#include <QByteArray>
#include <QHostAddress>
#include <QUdpSocket>
#include <atomic>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <vector>

namespace testsupport {

inline constexpr int kBurstDatagrams = 20000;

// How many of count copies of datagram from sent to IPv4 address to:port.
inline int sendBurst(QUdpSocket& from, const QHostAddress& to, quint16 port,
                     const QByteArray& datagram = QByteArray(256, '\0'),
                     int count = kBurstDatagrams) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(to.toIPv4Address());
    iovec bytes{const_cast<char*>(datagram.constData()), size_t(datagram.size())};
    std::vector<mmsghdr> messages(1000);
    for (mmsghdr& message : messages) {
        message.msg_hdr.msg_name = &address;
        message.msg_hdr.msg_namelen = sizeof address;
        message.msg_hdr.msg_iov = &bytes;
        message.msg_hdr.msg_iovlen = 1;
    }
    int sent = 0;
    for (int left = count; left > 0;) {
        const int batch = sendmmsg(int(from.socketDescriptor()), messages.data(),
                                   unsigned(std::min<int>(left, int(messages.size()))), 0);
        if (batch <= 0)
            break;
        sent += batch;
        left -= batch;
    }
    return sent;
}

// sendBurst from a thread of its own while this thread's event loop runs,
// so that the burst arrives while the sockets here are being read.
inline int sendBurstWhileReading(QUdpSocket& from, const QHostAddress& to, quint16 port) {
    std::atomic<int> sent = -1;
    std::thread sender([&] { sent = sendBurst(from, to, port); });
    waitFor([&] { return sent >= 0; }, 60000);
    sender.join();
    return sent;
}

} // namespace testsupport

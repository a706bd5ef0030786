// Datagram (UDP) mode: Open binds a local port; datagrams go to HostName:PortName.

#include "net/tsock.h"

#include "net/tsock_internal.h"

#include <netinet/in.h>
#include <sys/socket.h>

using namespace tsockdetail;

bool TSock::bindDatagram() {
    const SocketAddress local = SocketAddress::ipv4(INADDR_ANY, peerAddress.port());
    if (::bind(fd, local.raw(), local.length()) != 0) {
        report(siError, socketErrorText(lastErrorCode()));
        return false;
    }
    connected = true;
    updateNotifiers();
    announceConnected("Datagram Socket Connected");
    return true;
}

bool TSock::SendDatagram(const QByteArray& data, const QString& host) {
    if (fd < 0)
        throw ESockException("SendDatagram - Socket Not Connected");
    if (socketType == stStream)
        throw ESockException("SendDatagram - Datagram Send Not Supported On Stream Sockets");
    hostName = host;
    const quint32 address = HostLookup(host);
    // The port is read at each send, so that a bound socket can change its peer.
    const quint16 port = PortLookup(portName);
    peerAddress = SocketAddress::ipv4(address, port);
    if (data.isEmpty() || fd < 0)
        return true;
    return ::sendto(fd, data.constData(), data.size(), MSG_NOSIGNAL, peerAddress.raw(),
                    peerAddress.length()) >= 0;
}

void TSock::ReceiveDatagram(QByteArray& data, QString& host) {
    if (fd < 0)
        throw ESockException("ReceiveDatagram - Socket Not Connected");
    if (socketType == stStream)
        throw ESockException("ReceiveDatagram - Datagram Receive Not Supported On Stream Sockets");
    data.clear();
    host.clear();
    if (waitReadable(fd, blockingTimeout)) {
        scratch.resize(kScratchSize);
        sockaddr_storage sender{};
        socklen_t length = sizeof sender;
        const ssize_t count = ::recvfrom(fd, scratch.data(), kScratchSize, MSG_DONTWAIT,
                                         reinterpret_cast<sockaddr*>(&sender), &length);
        if (count >= 0) {
            data = QByteArray(scratch.constData(), count);
            host = SocketAddress::fromPlatform(sender, length).host();
        }
    }
    readPaused = false;
    updateNotifiers();
}

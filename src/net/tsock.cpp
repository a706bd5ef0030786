#include "net/tsock.h"

#include "net/hostcache.h"
#include "net/numeric_host.h"
#include "net/tsock_internal.h"

#include <QSocketNotifier>
#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace tsockdetail;

namespace tsockdetail {

void setNonBlocking(int fd, bool nonBlocking) {
    const int flags = fcntl(fd, F_GETFL);
    fcntl(fd, F_SETFL, nonBlocking ? flags | O_NONBLOCK : flags & ~O_NONBLOCK);
}

void sendWithoutDelay(int fd) {
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

bool waitReadable(int fd, int timeoutSeconds) {
    pollfd entry{fd, POLLIN, 0};
    const int timeoutMs = timeoutSeconds < 0 ? -1 : timeoutSeconds * 1000;
    int ready;
    do {
        ready = poll(&entry, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

} // namespace tsockdetail

TSock::TSock(QObject* owner) : QObject(owner), byteStream(this) {}

TSock::~TSock() {
    if (listening || connected)
        Close();
    else
        releaseSocket();
}

void TSock::report(TSocketInfo info, const QString& msg) {
    if (!OnInfo)
        return;
    const auto handler = OnInfo; // the handler may replace OnInfo while it runs
    try {
        handler(this, info, msg);
    } catch (...) {
        throw ESockException("Error here");
    }
}

void TSock::setSocketType(TSocketType value) {
    if (listening)
        throw ESockException("SocketType - Can't Assign Socket Type While Listening");
    if (connected)
        throw ESockException("SocketType - Can't Assign Socket Type While Connected");
    socketType = value;
}

void TSock::setHostName(const QString& value) {
    hostName = value;
    if (!connected)
        return;
    if (socketType == stDatagram)
        peerAddress = SocketAddress::ipv4(HostLookup(value), peerAddress.port());
    else
        report(siLookUp, "Setting HostName While Connected Has No Effect");
}

void TSock::setPortName(const QString& value) {
    portName = value;
    if (connected)
        report(siLookUp, "Setting PortName While Connected Has No Effect");
}

void TSock::setBlocking(bool value) {
    blocking = value;
    applyBlocking();
}

quint16 TSock::localPort() const {
    if (fd < 0)
        return 0;
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    return SocketAddress::fromPlatform(address, length).port();
}

quint32 TSock::HostLookup(const QString& name) {
    if (name.isEmpty())
        return INADDR_ANY;
    for (const QHostAddress& address : HostAddresses(name)) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address.toIPv4Address();
    }
    throw ESockException("Host Lookup - Host Has No IPv4 Address");
}

hostcache::Addresses TSock::HostAddresses(const QString& name) {
    if (name.isEmpty())
        return {QHostAddress(quint32(INADDR_ANY))};
    report(siLookUp, "Lookup Of Host " + name);
    if (const auto address = numerichost::dottedQuad(name))
        return {QHostAddress(*address)};
    // Before the numeric test: "::ffff:192.0.2.1" ends in digits too.
    if (numerichost::isIpv6(name))
        return {QHostAddress(name)};
    // The resolver would read these forms as addresses of its own choosing.
    if (numerichost::looksNumeric(name))
        throw ESockException("Host Lookup - Not A Dotted IPv4 Address (Four Numbers From 0 To "
                             "255, No Leading Zeros)");
    if (const auto cached = hostcache::find(name))
        return *cached;
    const hostcache::Addresses found = hostcache::resolve(name);
    if (found.isEmpty())
        throw ESockException("Host Lookup - Could Not Find Host Entry");
    hostcache::insert(name, found);
    return found;
}

quint16 TSock::PortLookup(const QString& name) {
    report(siLookUp, "Lookup Of Port " + name);
    if (!name.isEmpty() && name.front() >= QLatin1Char('0') && name.front() <= QLatin1Char('9')) {
        uint port = 0;
        for (const QChar c : name) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9') || port > 65535)
                throw ESockException(("'" + name + "' is not a valid integer value").toStdString());
            port = port * 10 + (c.unicode() - '0');
        }
        if (port > 65535)
            throw ESockException(("'" + name + "' is not a valid integer value").toStdString());
        return quint16(port);
    }
    if (const auto port = hostcache::servicePort(name, socketType == stDatagram))
        return *port;
    throw ESockException("Port Lookup - Could Not Find Service Entry");
}

bool TSock::Open() {
    if (fd >= 0)
        return connected;
    const quint16 port = PortLookup(portName);
    if (socketType == stDatagram) {
        if (!openSocket(SOCK_DGRAM, AF_INET))
            return false;
        peerAddress = SocketAddress::ipv4(INADDR_ANY, port);
        applyBlocking();
        return bindDatagram();
    }
    addressesLeft_.clear();
    for (const QHostAddress& host : HostAddresses(hostName)) {
        if (const auto address = SocketAddress::of(host, port))
            addressesLeft_.append(*address);
    }
    if (addressesLeft_.isEmpty())
        throw ESockException("Host Lookup - Could Not Find Host Entry"); // a zone named nothing
    peerAddress = addressesLeft_.takeFirst();
    if (!openSocket(SOCK_STREAM, peerAddress.family()))
        return false;
    applyBlocking();
    if (blocking)
        return connectBlocking();
    startConnect();
    return connected;
}

bool TSock::connectBlocking() {
    bool refused = false;
    while (!refused && ::connect(fd, peerAddress.raw(), peerAddress.length()) != 0)
        refused = addressesLeft_.isEmpty() || !moveToAddress(addressesLeft_.takeFirst());
    if (refused) {
        Guard guard(this);
        report(siClose, "Blocking Socket Can't Connect");
        if (guard.alive())
            Close();
        return false;
    }
    connected = true;
    announceConnected("Blocking Socket Connected");
    return true;
}

bool TSock::announceConnected(const char* msg) {
    Guard guard(this);
    report(siConnect, msg);
    if (!guard.sameSocket())
        return false;
    callHandler(OnConnect, this);
    return guard.sameSocket();
}

bool TSock::Close() {
    bool closedOk = false;
    if (fd >= 0) {
        releaseNotifiers();
        closedOk = ::close(fd) == 0;
        fd = -1;
    }
    connected = false;
    connecting = false;
    addressesLeft_.clear();
    const bool wasListening = listening;
    listening = false;
    if (!wasListening) {
        try {
            report(siClose, "Socket Closed");
        } catch (...) {
            // Closing never fails towards the caller.
        }
    }
    return closedOk;
}

void TSock::releaseSocket() {
    if (fd < 0)
        return;
    releaseNotifiers();
    ::close(fd);
    fd = -1;
    connected = false;
    connecting = false;
}

bool TSock::Send(const QByteArray& data) {
    if (fd < 0)
        throw ESockException("Send - Socket Not Connected");
    if (listening)
        throw ESockException("Send - Cannot Send On A Listener Socket");
    if (socketType == stDatagram) {
        SendDatagram(data, hostName);
        return true;
    }
    outgoing.append(data);
    if (outgoing.isEmpty())
        return true;
    if (blocking) {
        sendBlocking();
        return true;
    }
    // A platform error here leaves the bytes queued; the connection's fate is told
    // by the next notification.
    Guard guard(this);
    sendQueued();
    // A peer that does not read counts as lost past the bound, told as a failed
    // write is: later, since the caller may be writing to every peer in turn.
    if (guard.sameSocket() && outgoing.cutPastBound())
        failLater(wsaErrorFromErrno(ENOBUFS));
    return true;
}

void TSock::sendBlocking() {
    while (!outgoing.isEmpty()) {
        const ssize_t sent = ::send(fd, outgoing.constData(), outgoing.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR || errno == EINPROGRESS)
                continue;
            report(siError, "Socket Error On Send");
            throw ESockException("Send - Socket Error");
        }
        outgoing.written(sent);
        Guard guard(this);
        report(siSend, "Blocking Outgoing Data");
        if (!guard.sameSocket())
            return;
    }
}

QByteArray TSock::ReceiveCount(int limit) {
    if (fd < 0 && incoming.isEmpty())
        throw ESockException("Receive - Socket Not Connected");
    if (listening)
        throw ESockException("Receive - Cannot Receive On A Listener Socket");
    const int readSize = (limit < 0 || limit > kScratchSize) ? kScratchSize : limit;
    if (socketType == stDatagram) {
        QByteArray data;
        QString sender;
        ReceiveDatagram(data, sender);
        return data;
    }
    if (blocking && fd >= 0)
        return receiveBlocking(readSize);
    QByteArray taken;
    if (limit < 0 || limit >= incoming.size()) {
        taken.swap(incoming);
    } else {
        taken = incoming.left(limit);
        incoming.remove(0, limit);
    }
    return taken;
}

QByteArray TSock::receiveBlocking(int readSize) {
    if (connected && waitReadable(fd, blockingTimeout)) {
        Guard guard(this);
        report(siRecv, "Blocking Incoming Data");
        if (!guard.alive())
            return {};
        if (guard.sameSocket())
            receiveOnce(readSize);
        if (!guard.alive())
            return {};
    }
    QByteArray taken;
    taken.swap(incoming);
    return taken;
}

void TSock::receiveOnce(int readSize) {
    scratch.resize(kScratchSize);
    // A read size of 0 would look like the peer's close.
    const ssize_t count = ::recv(fd, scratch.data(), qMax(readSize, 1), 0);
    if (count < 0) {
        const int code = lastErrorCode();
        incoming.clear();
        report(siError, "Socket Error On Receive");
        throw ESockException(("Receive - Socket Error " + socketErrorName(code)).toStdString());
    }
    if (count > 0) {
        incoming.append(scratch.constData(), count);
        return;
    }
    Guard guard(this);
    report(siClose, "Socket Disconnected On Receive");
    if (!guard.alive())
        return;
    Close();
    if (guard.alive())
        callHandler(OnDisconnect, this);
}

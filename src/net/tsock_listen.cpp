// Listening, accepting and auto-accepting.

#include "net/tsock.h"

#include "net/tsock_internal.h"
#include "net/tsockthread.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace tsockdetail;

namespace {
constexpr int kListenBacklog = 5;

// A kernel built without IPv6, or with it turned off, refuses the socket.
bool ipv6Available() {
    static const bool available = [] {
        const int probe = ::socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (probe < 0)
            return false;
        ::close(probe);
        return true;
    }();
    return available;
}

} // namespace

void TSock::setListen(bool value) {
    if (fd >= 0 && !listening) {
        listening = false;
        throw ESockException("Listen - Socket Already In Use");
    }
    if (socketType == stDatagram && value) {
        listening = false;
        throw ESockException("Listen - Cannot Listen On A Datagram Socket");
    }
    const bool wasListening = listening;
    listening = value;
    if (!value) {
        Guard guard(this);
        Close();
        if (guard.alive())
            report(siListen, "Listening Stopped");
        return;
    }
    if (wasListening) {
        report(siListen, "Listening Already Running");
        return;
    }
    startListening();
}

// A listener binds to HostName when it names an address (127.0.0.1: this
// computer alone), else to every interface of both families.
void TSock::startListening() {
    SocketAddress local;
    try {
        const quint16 port = PortLookup(portName);
        const auto named = hostName.isEmpty()
                               ? std::optional(SocketAddress::anyIpv6(port))
                               : SocketAddress::of(HostAddresses(hostName).first(), port);
        if (!named)
            throw ESockException("Listen - Error Binding Socket");
        local = *named;
    } catch (...) {
        listening = false; // nothing was opened: a later try starts afresh
        throw;
    }
    listening = false; // no notifications until the platform listens
    if (!openListener(local))
        throw ESockException("Listen - Error Binding Socket");
    // Lets a new game listen at once although the last one's connections linger.
    const int reuse = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
    peerAddress = local;
    if (::bind(fd, peerAddress.raw(), peerAddress.length()) != 0)
        throw ESockException("Listen - Error Binding Socket");
    if (::listen(fd, kListenBacklog) != 0)
        throw ESockException("Listen - Error Starting Listen");
    listening = true;
    applyBlocking();
    report(siListen, "Listening Started");
}

// Every interface is one socket for both families, the IPv4 peers arriving
// as mapped IPv6 addresses; IPv4 alone where this computer has no IPv6.
bool TSock::openListener(SocketAddress& local) {
    const bool everyInterface = hostName.isEmpty();
    if (everyInterface && !ipv6Available())
        local = SocketAddress::ipv4(INADDR_ANY, local.port());
    if (!openSocket(SOCK_STREAM, local.family()))
        return false;
    if (everyInterface && local.family() == AF_INET6) {
        const int bothFamilies = 0; // whatever the system's default
        setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &bothFamilies, sizeof bothFamilies);
    }
    return true;
}

int TSock::takeConnection(SocketAddress& peer) {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    const int accepted =
        ::accept4(fd, reinterpret_cast<sockaddr*>(&address), &length, SOCK_CLOEXEC | SOCK_NONBLOCK);
    peer = SocketAddress::fromPlatform(address, length);
    return accepted;
}

TSock* TSock::adoptAccepted(int acceptedFd, const SocketAddress& peer) {
    auto* sock = new TSock(this);
    sendWithoutDelay(acceptedFd); // not every platform passes it on from the listener
    sock->attachSocket(acceptedFd);
    sock->blocking = blocking;
    sock->blockingTimeout = blockingTimeout;
    sock->OnRead = OnRead;
    sock->OnWrite = OnWrite;
    sock->OnDisconnect = OnDisconnect;
    sock->OnInfo = OnInfo;
    sock->peerAddress = peer;
    sock->connected = true;
    sock->applyBlocking();
    sock->setPortName(portName);
    sock->setHostName(peer.host());
    return sock;
}

bool TSock::Accept(TSock*& NewSock) {
    if (!listening)
        throw ESockException("Accept - Socket Not In Listening Mode");
    Guard guard(this);
    if (blocking) {
        report(siAccept, "Blocking Accept");
        if (!guard.sameSocket())
            return false;
        waitReadable(fd, -1);
    }
    ++acceptsTaken;
    readPaused = false;
    updateNotifiers();
    SocketAddress peer;
    const int accepted = takeConnection(peer);
    if (accepted < 0) {
        report(siAccept, "Could Not Accept Connection");
        return false;
    }
    NewSock = adoptAccepted(accepted, peer);
    if (guard.alive())
        report(siAccept, "Created New TSock Structure");
    return true;
}

void TSock::onIncomingConnection() {
    Guard guard(this);
    if (autoAccept && OnAutoAccept) {
        SocketAddress peer;
        const int accepted = takeConnection(peer);
        if (accepted < 0)
            return; // the peer gave up before we took it
        TSock* sock = adoptAccepted(accepted, peer);
        if (!guard.alive())
            return;
        if (blocking)
            TSockThread::launch(this, sock, OnAutoAccept);
        else
            callHandler(OnAutoAccept, this, sock);
        return;
    }
    const int acceptsBefore = acceptsTaken;
    callHandler(OnAccept, this);
    // As on Windows, a connection left waiting is announced again only after an Accept.
    if (guard.sameSocket() && acceptsTaken == acceptsBefore) {
        readPaused = true;
        updateNotifiers();
    }
}

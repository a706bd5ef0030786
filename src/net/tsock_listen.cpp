// Listening, accepting and auto-accepting.

#include "net/tsock.h"

#include "net/tsock_internal.h"
#include "net/tsockthread.h"

#include <sys/socket.h>
#include <unistd.h>

using namespace tsockdetail;

namespace {
constexpr int kListenBacklog = 5;
}

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
// computer alone), else to every interface.
void TSock::startListening() {
    quint16 port = 0;
    quint32 address = INADDR_ANY;
    try {
        port = PortLookup(portName);
        address = HostLookup(hostName);
    } catch (...) {
        listening = false; // nothing was opened: a later try starts afresh
        throw;
    }
    listening = false; // no notifications until the platform listens
    if (!openSocket(SOCK_STREAM))
        throw ESockException("Listen - Error Binding Socket");
    // Lets a new game listen at once although the last one's connections linger.
    const int reuse = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
    peerAddress = makeAddress(address, port);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&peerAddress), sizeof peerAddress) != 0)
        throw ESockException("Listen - Error Binding Socket");
    if (::listen(fd, kListenBacklog) != 0)
        throw ESockException("Listen - Error Starting Listen");
    listening = true;
    applyBlocking();
    report(siListen, "Listening Started");
}

int TSock::takeConnection(sockaddr_in& peer) {
    socklen_t length = sizeof peer;
    return ::accept4(fd, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_CLOEXEC | SOCK_NONBLOCK);
}

TSock* TSock::adoptAccepted(int acceptedFd, const sockaddr_in& peer) {
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
    sock->setHostName(dotted(peer));
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
    sockaddr_in peer{};
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
        sockaddr_in peer{};
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

// How a TSock turns platform readiness into the events of a Windows Sockets
// asynchronous socket: connected, readable, writable, closed, incoming connection,
// and errors that are reported and end all further notification.

#include "net/tsock.h"

#include "net/tsock_internal.h"

#include <QMetaObject>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

using namespace tsockdetail;

bool TSock::openSocket(int type, int family) {
    const int newFd = ::socket(family, type | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (newFd < 0) {
        report(siError, socketErrorText(lastErrorCode()));
        return false;
    }
    if (type == SOCK_STREAM)
        sendWithoutDelay(newFd);
    attachSocket(newFd);
    return true;
}

void TSock::attachSocket(int newFd) {
    fd = newFd;
    ++generation;
    connected = false;
    connecting = false;
    notificationsFailed = false;
    readPaused = false;
    outgoing.restart(); // bytes for an earlier connection would be garbage on this one
    readNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    readNotifier->setEnabled(false);
    connect(readNotifier, &QSocketNotifier::activated, this, [this] { onReadable(); });
    writeNotifier = new QSocketNotifier(fd, QSocketNotifier::Write, this);
    writeNotifier->setEnabled(false);
    connect(writeNotifier, &QSocketNotifier::activated, this, [this] { onWritable(); });
}

// The host's next address needs a platform socket of its family. What was
// sent meanwhile waits for whichever address connects.
bool TSock::moveToAddress(const SocketAddress& next) {
    const int newFd = ::socket(next.family(), SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (newFd < 0)
        return false;
    sendWithoutDelay(newFd);
    releaseNotifiers();
    ::close(fd);
    const WriteQueue waiting = outgoing;
    attachSocket(newFd);
    outgoing = waiting;
    peerAddress = next;
    applyBlocking();
    return true;
}

// False when the host has no address left: the last one's failure is told.
bool TSock::tryNextAddress() {
    while (!addressesLeft_.isEmpty()) {
        if (moveToAddress(addressesLeft_.takeFirst())) {
            startConnect();
            return true;
        }
    }
    return false;
}

// Only while another address is left: the last one has the system's time.
void TSock::limitAttempt() {
    if (addressesLeft_.isEmpty())
        return;
    if (!attemptLimit_) {
        attemptLimit_ = new QTimer(this);
        attemptLimit_->setSingleShot(true);
        connect(attemptLimit_, &QTimer::timeout, this, [this] {
            if (connecting)
                tryNextAddress();
        });
    }
    attemptLimit_->start(kAddressAttemptMs);
}

void TSock::releaseNotifiers() {
    if (attemptLimit_)
        attemptLimit_->stop(); // the attempt it limits ends with this platform socket
    // Possibly called from inside one of their own notifications: delete later.
    for (QSocketNotifier* notifier : {readNotifier, writeNotifier}) {
        if (notifier) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
    }
    readNotifier = nullptr;
    writeNotifier = nullptr;
}

void TSock::applyBlocking() {
    if (fd < 0)
        return;
    // A listener stays non-blocking at the platform: a blocking Accept waits itself.
    setNonBlocking(fd, !(blocking && !listening));
    updateNotifiers();
}

void TSock::updateNotifiers() {
    if (fd < 0 || !readNotifier)
        return;
    bool wantRead = false;
    bool wantWrite = false;
    if (notificationsFailed) {
        // As on Windows, an error notification is the last one.
    } else if (listening) {
        wantRead = !readPaused;
    } else if (blocking) {
        // Blocking sockets are not notified at all.
    } else if (socketType == stDatagram) {
        wantRead = connected && !readPaused;
    } else {
        wantRead = connected;
        // A writable socket is nearly always writable: only ask while it matters.
        wantWrite = connecting || (connected && !outgoing.isEmpty());
    }
    if (readNotifier->isEnabled() != wantRead)
        readNotifier->setEnabled(wantRead);
    if (writeNotifier->isEnabled() != wantWrite)
        writeNotifier->setEnabled(wantWrite);
}

void TSock::startConnect() {
    connecting = true;
    if (::connect(fd, peerAddress.raw(), peerAddress.length()) == 0 || errno == EINPROGRESS) {
        limitAttempt();
        updateNotifiers(); // the socket becomes writable once the attempt is decided
        return;
    }
    // Failed at once (a family with no route here): the next address, or
    // told as the connected notification would tell it, after Open.
    const int err = errno;
    if (tryNextAddress())
        return;
    connecting = false;
    failLater(wsaErrorFromErrno(err));
}

int TSock::sendQueued() {
    Guard guard(this);
    report(siSend, "Non-Blocking Outgoing Data");
    if (!guard.sameSocket())
        return 0;
    int failure = 0;
    if (!connecting) {
        const ssize_t sent =
            ::send(fd, outgoing.constData(), outgoing.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0)
            outgoing.written(sent);
        else if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            failure = wsaErrorFromErrno(errno);
    }
    updateNotifiers();
    return failure;
}

void TSock::failNotifications(int wsaCode) {
    notificationsFailed = true;
    updateNotifiers();
    report(siError, socketErrorText(wsaCode));
}

// As an error notification would tell it: from the event loop, so that the
// code that found it is not re-entered, and never for a later platform
// socket of this object.
void TSock::failLater(int wsaCode) {
    notificationsFailed = true;
    updateNotifiers();
    const quint64 failed = generation;
    QMetaObject::invokeMethod(
        this,
        [this, wsaCode, failed] {
            if (generation == failed && fd >= 0)
                report(siError, socketErrorText(wsaCode));
        },
        Qt::QueuedConnection);
}

void TSock::onReadable() {
    if (listening)
        onIncomingConnection();
    else if (socketType == stDatagram)
        onDatagramReadable();
    else
        onStreamReadable();
}

void TSock::onStreamReadable() {
    scratch.resize(kScratchSize);
    const ssize_t count = ::recv(fd, scratch.data(), kScratchSize, MSG_DONTWAIT);
    if (count == 0) {
        onPeerClosed();
        return;
    }
    if (count > 0) {
        incoming.append(scratch.constData(), count);
    } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
        failNotifications(lastErrorCode());
        return;
    }
    Guard guard(this);
    report(siRecv, "Non-Blocking Incoming Data");
    if (guard.alive())
        callHandler(OnRead, this, int(incoming.size()));
}

void TSock::onDatagramReadable() {
    // Windows notifies again only after the datagram has been received.
    readPaused = true;
    updateNotifiers();
    callHandler(OnRead, this, int(incoming.size()));
}

void TSock::onPeerClosed() {
    Guard guard(this);
    callHandler(OnDisconnect, this);
    // If the handler closed the socket itself, this Close reports "Socket Closed" again.
    if (guard.alive() && !guard.reopened())
        Close();
}

void TSock::onWritable() {
    if (!connecting) {
        writableNotification();
        return;
    }
    int err = 0;
    socklen_t length = sizeof err;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &length) != 0)
        err = errno;
    if (attemptLimit_)
        attemptLimit_->stop();
    if (err != 0 && tryNextAddress())
        return;
    connecting = false;
    if (err != 0) {
        failNotifications(wsaErrorFromErrno(err));
        return;
    }
    addressesLeft_.clear();
    connected = true;
    updateNotifiers();
    // A new connection is writable: queued bytes go out now.
    if (announceConnected("Non-Blocking Socket Connected"))
        writableNotification();
}

void TSock::writableNotification() {
    Guard guard(this);
    if (!outgoing.isEmpty()) {
        if (const int failure = sendQueued()) {
            if (guard.sameSocket())
                failNotifications(failure);
            return;
        }
        if (!guard.sameSocket())
            return;
    }
    report(siSend, "Non-Blocking Outgoing Data");
    if (guard.alive())
        callHandler(OnWrite, this);
}

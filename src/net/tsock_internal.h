#pragma once

// Helpers shared by the TSock source files; not part of the interface.

#include "net/tsock.h"

#include <QPointer>
#include <QString>

namespace tsockdetail {

void setNonBlocking(int fd, bool nonBlocking);
// The protocol writes several small messages in one go: each must leave at
// once, not wait for the acknowledgement of the one before (Nagle's rule
// meeting the peer's delayed acknowledgement costs about 40 ms each time).
void sendWithoutDelay(int fd);
// Waits until fd is readable: at most timeoutSeconds, without limit if negative.
bool waitReadable(int fd, int timeoutSeconds);

// Calls an event handler if one is set. It runs on a copy, since a handler may
// replace the handlers of its own socket (or delete it) while it runs.
template <class Handler, class... Args> void callHandler(const Handler& handler, Args... args) {
    if (handler) {
        const Handler copy = handler;
        copy(args...);
    }
}

} // namespace tsockdetail

// Handlers may close or delete the socket that called them; code that runs on
// after a call out asks the guard first.
class TSock::Guard {
public:
    explicit Guard(TSock* sock) : sock(sock), generation(sock->generation) {}
    bool alive() const { return !sock.isNull(); }
    // Still the same platform socket, still open.
    bool sameSocket() const { return alive() && sock->generation == generation && sock->fd >= 0; }
    // A handler has opened a new platform socket on this object.
    bool reopened() const { return alive() && sock->generation != generation && sock->fd >= 0; }

private:
    QPointer<TSock> sock;
    quint64 generation;
};

#pragma once

// A send buffer of a few KiB on a socket: what its peer does not read soon
// waits in the program rather than in the platform, so that a test sees the
// program's own bound after little traffic.

#include <sys/socket.h>

namespace testsupport {

inline void shrinkSendBuffer(int socketHandle) {
    const int bytes = 4096;
    ::setsockopt(socketHandle, SOL_SOCKET, SO_SNDBUF, &bytes, sizeof bytes);
}

} // namespace testsupport

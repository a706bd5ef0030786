#include "client/link/link_watch.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace linkwatch {
namespace {

// The silence limit. A game in play can be quiet for a whole turn (and a
// word-list pause), so silence in the game's own messages proves nothing;
// the kernels' keep-alive probes are answered by any live host at once. Ten
// quiet seconds, then three probes five seconds apart: a dead link is noticed
// in about 25 s, which leaves more than half of the host's 60 s grace to come
// back in, while a short blip that TCP rides over is no drop at all. The same
// 25 s bound applies to data that the host never acknowledges.
constexpr int kIdleSeconds = 10;
constexpr int kProbeSeconds = 5;
constexpr int kProbes = 3;
constexpr unsigned kUnacknowledgedMs = (kIdleSeconds + kProbeSeconds * kProbes) * 1000;

void set(int handle, int level, int option, int value) {
    setsockopt(handle, level, option, &value, sizeof value); // best effort: a limit, not a need
}

} // namespace

void watch(int socketHandle) {
    if (socketHandle < 0)
        return;
    set(socketHandle, SOL_SOCKET, SO_KEEPALIVE, 1);
#ifdef TCP_KEEPIDLE
    set(socketHandle, IPPROTO_TCP, TCP_KEEPIDLE, kIdleSeconds);
    set(socketHandle, IPPROTO_TCP, TCP_KEEPINTVL, kProbeSeconds);
    set(socketHandle, IPPROTO_TCP, TCP_KEEPCNT, kProbes);
#endif
#ifdef TCP_USER_TIMEOUT
    set(socketHandle, IPPROTO_TCP, TCP_USER_TIMEOUT, int(kUnacknowledgedMs));
#endif
}

} // namespace linkwatch

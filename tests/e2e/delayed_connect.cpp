// Preloaded (LD_PRELOAD) into a hosting game window by the whole-program
// tests: its connections to LUDOMYRA_PORT wait LUDOMYRA_CONNECT_DELAY_MS
// before they are made. The window's own client then reaches its host after
// a test's raw peer, which is given slot 1 and with it the say over games.
#include <arpa/inet.h>
#include <cstdlib>
#include <dlfcn.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using ConnectCall = int (*)(int, const sockaddr*, socklen_t);

int environmentNumber(const char* name) {
    const char* text = std::getenv(name);
    return text ? std::atoi(text) : 0;
}

bool toDelayedPort(const sockaddr* address) {
    static const int port = environmentNumber("LUDOMYRA_PORT");
    if (address == nullptr || address->sa_family != AF_INET || port == 0)
        return false;
    return ntohs(reinterpret_cast<const sockaddr_in*>(address)->sin_port) == port;
}

} // namespace

extern "C" int connect(int fd, const sockaddr* address, socklen_t length) {
    static const auto realConnect = reinterpret_cast<ConnectCall>(::dlsym(RTLD_NEXT, "connect"));
    if (toDelayedPort(address))
        ::usleep(static_cast<useconds_t>(environmentNumber("LUDOMYRA_CONNECT_DELAY_MS")) * 1000);
    return realConnect(fd, address, length);
}

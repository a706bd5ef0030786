// Every stream socket that TSock opens or accepts sends without delay: two
// small messages written in a row must not wait for the peer's acknowledgement
// of the first.

#include "socket_test_support.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

using namespace nettest;

namespace {

int noDelayOf(const TSock& sock) {
    int value = -1;
    socklen_t length = sizeof value;
    if (getsockopt(sock.SocketHandle(), IPPROTO_TCP, TCP_NODELAY, &value, &length) != 0)
        return -1;
    return value;
}

TEST(TSockNoDelay, ConnectingAndAcceptedStreamSocketsBothSendWithoutDelay) {
    AcceptingListener listener;
    TSock client;
    TSock* accepted = connectClient(client, listener);
    ASSERT_NE(accepted, nullptr);
    EXPECT_EQ(noDelayOf(client), 1);
    EXPECT_EQ(noDelayOf(*accepted), 1);

    // Against a listener that is not a TSock, the connecting end alone decides.
    RawSocket raw = RawSocket::listener();
    TSock second;
    RawSocket peer = connectClient(second, raw);
    EXPECT_EQ(noDelayOf(second), 1);
}

} // namespace

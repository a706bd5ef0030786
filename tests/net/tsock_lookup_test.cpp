// Host and port look-up, the host-name cache, and the error names of reports.

#include "net/hostcache.h"
#include "socket_test_support.h"

#include <cerrno>
#include <gtest/gtest.h>

using namespace nettest;

namespace {

class TSockLookup : public ::testing::Test {
protected:
    void SetUp() override {
        ensureApplication();
        hostcache::clear();
        sock.OnInfo = [this](TSock*, TSocketInfo kind, const QString& msg) {
            reports << info(kind, msg);
        };
    }
    void TearDown() override { hostcache::setResolver({}); }

    QStringList reports;
    TSock sock;
};

TEST_F(TSockLookup, DottedAddressesNeedNoResolver) {
    const int callsBefore = hostcache::resolverCalls();
    EXPECT_EQ(sock.HostLookup("127.0.0.1"), 0x7F000001u);
    EXPECT_EQ(sock.HostLookup("10.1.2.3"), 0x0A010203u);
    EXPECT_EQ(sock.HostLookup("1.2.3.999"), 0xFFFFFFFFu); // not an address: all ones
    EXPECT_EQ(hostcache::resolverCalls(), callsBefore);
    EXPECT_EQ(reports.first(), info(siLookUp, "Lookup Of Host 127.0.0.1"));
}

TEST_F(TSockLookup, AnEmptyHostIsTheAnyAddressAndReportsNothing) {
    EXPECT_EQ(sock.HostLookup(""), 0u);
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(TSockLookup, ANameIsResolvedOnceAndThenServedFromTheCacheInAnyCase) {
    const int callsBefore = hostcache::resolverCalls();
    EXPECT_EQ(sock.HostLookup("localhost"), 0x7F000001u); // from /etc/hosts
    EXPECT_EQ(sock.HostLookup("LocalHost"), 0x7F000001u);
    TSock other;
    EXPECT_EQ(other.HostLookup("LOCALHOST"), 0x7F000001u);
    EXPECT_EQ(hostcache::resolverCalls(), callsBefore + 1);
    EXPECT_EQ(reports, (QStringList{info(siLookUp, "Lookup Of Host localhost"),
                                    info(siLookUp, "Lookup Of Host LocalHost")}));
}

TEST_F(TSockLookup, ANameThatDoesNotResolveRaisesAndIsNotCached) {
    int asked = 0;
    hostcache::setResolver([&](const QString&) -> std::optional<quint32> {
        ++asked;
        return std::nullopt;
    });
    for (int i = 0; i < 2; ++i) {
        try {
            sock.HostLookup("gamehost");
            ADD_FAILURE() << "no exception";
        } catch (const ESockException& e) {
            EXPECT_STREQ(e.what(), "Host Lookup - Could Not Find Host Entry");
        }
    }
    EXPECT_EQ(asked, 2);
}

TEST_F(TSockLookup, ConnectingByNameUsesTheResolvedAddress) {
    hostcache::setResolver([](const QString& name) -> std::optional<quint32> {
        if (name.compare("gamehost", Qt::CaseInsensitive) != 0)
            return std::nullopt;
        return 0x7F000001u;
    });
    AcceptingListener listener;
    TSock client;
    client.setHostName("GameHost");
    client.setPortName(QString::number(listener.sock.localPort()));
    client.Open();
    EXPECT_TRUE(waitFor([&] { return client.Connected(); }));
}

TEST_F(TSockLookup, PortsAreDecimalNumbersOrServiceNames) {
    EXPECT_EQ(sock.PortLookup("7772"), 7772);
    EXPECT_EQ(sock.PortLookup("9001"), 9001);
    EXPECT_EQ(reports.first(), info(siLookUp, "Lookup Of Port 7772"));
    for (const char* bad : {"12x", "70000", "99999999999"})
        EXPECT_THROW(sock.PortLookup(bad), ESockException) << bad;
    for (const char* unknown : {"", "no-such-service"}) {
        try {
            sock.PortLookup(unknown);
            ADD_FAILURE() << unknown;
        } catch (const ESockException& e) {
            EXPECT_STREQ(e.what(), "Port Lookup - Could Not Find Service Entry");
        }
    }
    try {
        EXPECT_EQ(sock.PortLookup("http"), 80);
    } catch (const ESockException&) {
        GTEST_SKIP() << "this machine has no service database";
    }
}

TEST(SocketErrors, PlatformErrorsMapToWindowsSocketsCodesAndNames) {
    const struct {
        int err;
        int code;
        const char* name;
    } cases[] = {
        {ECONNREFUSED, 10061, "WSAECONNREFUSED"},
        {ECONNRESET, 10054, "WSAECONNRESET"},
        {EAGAIN, 10035, "WSAEWOULDBLOCK"},
        {EINPROGRESS, 10036, "WSAEINPROGRESS"},
        {EADDRINUSE, 10048, "WSAEADDRINUSE"},
        {ETIMEDOUT, 10060, "WSAETIMEDOUT"},
        {EHOSTUNREACH, 10065, "WSAEHOSTUNREACH"},
        {ENETUNREACH, 10051, "WSAENETUNREACH"},
        {EINTR, 10004, "WSAEINTR"},
        {EPIPE, 10058, "WSAESHUTDOWN"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wsaErrorFromErrno(c.err), c.code) << c.name;
        EXPECT_EQ(socketErrorName(c.code), c.name);
    }
    EXPECT_EQ(socketErrorName(10101), "WSAEDISCON");
    EXPECT_EQ(socketErrorName(11001), "WSAHOST_NOT_FOUND");
    EXPECT_EQ(socketErrorName(11004), "WSANO_DATA");
    EXPECT_EQ(socketErrorName(10092), "WSAVERNOTSUPPORTED");
    for (int unknown : {0, 10000, 10034, 10072, 10100, 11005, EIO})
        EXPECT_EQ(socketErrorName(unknown), "UNKNOWN ERROR") << unknown;
    EXPECT_EQ(socketErrorName(wsaErrorFromErrno(EIO)), "UNKNOWN ERROR");
    EXPECT_EQ(socketErrorText(10061), "Error #10061 (WSAECONNREFUSED)");
}

} // namespace

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
        hostcache::clear();
        sock.OnInfo = [this](TSock*, TSocketInfo kind, const QString& msg) {
            reports << info(kind, msg);
        };
    }
    void TearDown() override { hostcache::setResolver({}); }

    QStringList reports;
    TSock sock;
};

TEST_F(TSockLookup, DottedAndEmptyHostsNeedNoResolver) {
    const int callsBefore = hostcache::resolverCalls();
    EXPECT_EQ(sock.HostLookup("127.0.0.1"), 0x7F000001u);
    EXPECT_EQ(sock.HostLookup("1.2.3.999"), 0xFFFFFFFFu); // not an address: all ones
    EXPECT_EQ(sock.HostLookup(""), 0u);
    EXPECT_EQ(hostcache::resolverCalls(), callsBefore);
    EXPECT_EQ(reports, (QStringList{info(siLookUp, "Lookup Of Host 127.0.0.1"),
                                    info(siLookUp, "Lookup Of Host 1.2.3.999")}));
}

TEST_F(TSockLookup, ANameIsResolvedOnceAndThenServedFromTheCacheInAnyCase) {
    const int callsBefore = hostcache::resolverCalls();
    EXPECT_EQ(sock.HostLookup("localhost"), 0x7F000001u); // from /etc/hosts
    EXPECT_EQ(TSock().HostLookup("LocalHost"), 0x7F000001u);
    EXPECT_EQ(hostcache::resolverCalls(), callsBefore + 1);
}

TEST_F(TSockLookup, ANameThatDoesNotResolveRaisesAndIsAskedAgainNextTime) {
    int asked = 0;
    hostcache::setResolver([&](const QString&) -> std::optional<quint32> {
        ++asked;
        return std::nullopt;
    });
    for (int i = 0; i < 2; ++i) {
        try {
            sock.HostLookup("gamehost");
            ADD_FAILURE() << "nothing raised";
        } catch (const ESockException& e) {
            EXPECT_STREQ(e.what(), "Host Lookup - Could Not Find Host Entry");
        }
    }
    EXPECT_EQ(asked, 2);
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
}

TEST(SocketErrors, PlatformErrorsMapToWindowsSocketsCodesAndNames) {
    const struct {
        int err;
        const char* text;
    } cases[] = {
        {ECONNREFUSED, "Error #10061 (WSAECONNREFUSED)"},
        {ECONNRESET, "Error #10054 (WSAECONNRESET)"},
        {EAGAIN, "Error #10035 (WSAEWOULDBLOCK)"},
        {ETIMEDOUT, "Error #10060 (WSAETIMEDOUT)"},
        {EHOSTUNREACH, "Error #10065 (WSAEHOSTUNREACH)"},
        {EIO, "Error #5 (UNKNOWN ERROR)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(socketErrorText(wsaErrorFromErrno(c.err)), c.text);
    EXPECT_EQ(socketErrorName(10101), "WSAEDISCON");
    EXPECT_EQ(socketErrorName(11004), "WSANO_DATA");
    for (int unknown : {10000, 10034, 10072, 10100, 11005})
        EXPECT_EQ(socketErrorName(unknown), "UNKNOWN ERROR") << unknown;
}

} // namespace

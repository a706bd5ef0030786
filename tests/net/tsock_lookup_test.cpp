// Host and port look-up, the host-name cache, and the error names of reports.

#include "net/hostcache.h"
#include "socket_test_support.h"

#include <arpa/inet.h>
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

// Only strict dotted decimal is an address. Every other way of writing a
// number, which the system's own parsers would read as some address, is
// refused; everything else is a name, asked of the resolver as written.
TEST_F(TSockLookup, OnlyDottedQuadsAreAddressesOtherNumbersAreRefusedAndTheRestAreNames) {
    QStringList asked;
    hostcache::setResolver([&](const QString& name) -> hostcache::Addresses {
        asked << name;
        return {QHostAddress(0x0A000001u)};
    });
    const struct {
        const char* host;
        quint32 address;
    } addresses[] = {{"127.0.0.1", 0x7F000001u},
                     {"0.0.0.0", 0u},
                     {"255.255.255.255", 0xFFFFFFFFu},
                     {"192.0.2.10", 0xC000020Au}};
    const char* refused[] = {"0x7f.1",     "0177.0.0.1", "010.0.0.1",  "127.1",
                             "2130706433", "0x7f000001", "0x",         "1.2.3.0X1F",
                             "1.2.3.999",  "1.2.3.4.5",  "127.0.0.1.", "127.0.0.1 evil"};
    const char* names[] = {"1st.example", "0x7f.example", "10.0.0.1.example", "1e3", "0x1g"};

    for (const auto& c : addresses)
        EXPECT_EQ(sock.HostLookup(c.host), c.address) << c.host;
    for (const char* host : refused) {
        try {
            sock.HostLookup(host);
            ADD_FAILURE() << host << " was looked up";
        } catch (const ESockException& e) {
            EXPECT_STREQ(e.what(), "Host Lookup - Not A Dotted IPv4 Address (Four Numbers From 0 "
                                   "To 255, No Leading Zeros)");
        }
    }
    EXPECT_TRUE(asked.isEmpty()) << asked.join(' ').toStdString();
    for (const char* host : names) {
        EXPECT_EQ(sock.HostLookup(host), 0x0A000001u) << host;
        in_addr systemReading{};
        EXPECT_EQ(inet_aton(host, &systemReading), 0)
            << host << ": the system reads it as a number";
    }
    EXPECT_EQ(asked, QStringList(std::begin(names), std::end(names)));
    EXPECT_EQ(reports.size(), std::size(addresses) + std::size(refused) + std::size(names));
    // IPv6 is read by its own strict rules (no zone of odd characters),
    // before the numeric test that "::ffff:192.0.2.1" would fail.
    for (const char* host : {"::1", "2001:db8::7", "::ffff:192.0.2.1", "fe80::1%lo"}) {
        EXPECT_EQ(sock.HostAddresses(host), hostcache::Addresses{QHostAddress(host)}) << host;
        EXPECT_THROW(sock.HostLookup(host), ESockException) << host << ": no IPv4 address";
    }
    EXPECT_THROW(sock.HostAddresses("::ffff:127.1"), ESockException);
    EXPECT_EQ(asked.size(), std::size(names)) << "no address is asked of the resolver";
    reports.clear();
    EXPECT_EQ(sock.HostLookup(""), 0u);
    EXPECT_TRUE(reports.isEmpty()) << "the any-address needs no look-up";
}

TEST_F(TSockLookup, ANameIsResolvedOnceAndThenServedFromTheCacheInAnyCase) {
    const int callsBefore = hostcache::resolverCalls();
    EXPECT_EQ(sock.HostLookup("localhost"), 0x7F000001u); // from /etc/hosts
    EXPECT_EQ(TSock().HostLookup("LocalHost"), 0x7F000001u);
    EXPECT_EQ(hostcache::resolverCalls(), callsBefore + 1);
}

TEST_F(TSockLookup, ANameThatDoesNotResolveRaisesAndIsAskedAgainNextTime) {
    int asked = 0;
    hostcache::setResolver([&](const QString&) -> hostcache::Addresses {
        ++asked;
        return {};
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

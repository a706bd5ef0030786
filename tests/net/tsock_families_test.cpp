// Both address families: a listener for others takes IPv4 and IPv6 peers on
// one socket, a listener on 127.0.0.1 takes only this computer's IPv4, and a
// host with several addresses is connected to at each in turn, past one that
// refuses and past one that never answers.

#include "ipv6_loopback.h"
#include "net/hostcache.h"
#include "socket_test_support.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace nettest;

namespace {

// 127.0.0.1:port with a full queue of connections nobody takes: the system
// drops every further attempt without a word, as a host whose route goes
// nowhere does.
class SilentIpv4 {
public:
    explicit SilentIpv4(quint16 port) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        filler_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const auto* raw = reinterpret_cast<const sockaddr*>(&address);
        ready_ = ::bind(listener_, raw, sizeof address) == 0 && ::listen(listener_, 0) == 0 &&
                 ::connect(filler_, raw, sizeof address) == 0;
    }
    ~SilentIpv4() {
        ::close(filler_);
        ::close(listener_);
    }
    bool ready() const { return ready_; }

private:
    int listener_ = -1;
    int filler_ = -1;
    bool ready_ = false;
};

class TSockFamilies : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testsupport::hasIpv6Loopback())
            GTEST_SKIP() << "this machine has no IPv6 loopback address (::1)";
        hostcache::clear();
    }
    void TearDown() override {
        hostcache::setResolver({});
        hostcache::clear();
    }

    // Connects a new client to host:port; the bytes it sends arrive at the accepted end.
    static void expectJoined(AcceptingListener& listener, const QString& host,
                             const QString& acceptedAs) {
        SCOPED_TRACE(host.toStdString());
        const qsizetype before = listener.accepted.size();
        TSock client;
        EventLog log;
        log.attach(client);
        client.setHostName(host);
        client.setPortName(QString::number(listener.sock.localPort()));
        client.Open();
        ASSERT_TRUE(
            waitFor([&] { return client.Connected() && listener.accepted.size() > before; }, 10000))
            << log.entries.join('\n').toStdString();
        EXPECT_FALSE(log.entries.join('\n').contains("info 7")) << "no failure is told";
        TSock* accepted = listener.accepted.last();
        EXPECT_EQ(accepted->HostName(), acceptedAs);
        client.Send("ping");
        QByteArray arrived;
        EXPECT_TRUE(waitFor([&] {
            arrived += accepted->Receive();
            return arrived == "ping";
        }));
    }
};

TEST_F(TSockFamilies, AListenerForOthersTakesBothFamiliesAndALoopbackOneOnlyIpv4) {
    AcceptingListener everyInterface;
    expectJoined(everyInterface, "::1", "::1");
    expectJoined(everyInterface, "127.0.0.1", "127.0.0.1"); // not ::ffff:127.0.0.1

    TSock loopbackOnly; // how a solo table listens
    loopbackOnly.setHostName("127.0.0.1");
    loopbackOnly.setPortName("0");
    loopbackOnly.setListen(true);
    TSock client;
    EventLog log;
    log.attach(client);
    client.setHostName("::1");
    client.setPortName(QString::number(loopbackOnly.localPort()));
    client.Open();
    ASSERT_TRUE(waitFor([&] { return log.entries.join('\n').contains("info 7"); }));
    EXPECT_FALSE(client.Connected());
}

TEST_F(TSockFamilies, ANameIsTriedAtEachOfItsAddressesUntilOneAnswers) {
    AcceptingListener onIpv6;
    onIpv6.sock.Close();
    onIpv6.sock.setHostName("::1");
    // The same port on 127.0.0.1 may be another test's: then try another.
    std::unique_ptr<SilentIpv4> silent;
    for (int tries = 0; tries < 5 && !(silent && silent->ready()); ++tries) {
        onIpv6.sock.setListen(false);
        onIpv6.sock.setListen(true);
        silent = std::make_unique<SilentIpv4>(onIpv6.sock.localPort());
    }
    ASSERT_TRUE(silent->ready());

    QStringList asked;
    hostcache::Addresses answer;
    hostcache::setResolver([&](const QString& name) {
        asked << name;
        return answer;
    });
    // 127.0.0.2 refuses at once; 127.0.0.1 takes nothing and says nothing.
    answer = {QHostAddress("127.0.0.2"), QHostAddress("::1")};
    expectJoined(onIpv6, "refusing.test", "::1");
    answer = {QHostAddress("127.0.0.1"), QHostAddress("::1")};
    expectJoined(onIpv6, "silent.test", "::1");
    EXPECT_EQ(asked, (QStringList{"refusing.test", "silent.test"}));

    // The last address's failure is the one told.
    answer = {QHostAddress("::1"), QHostAddress("127.0.0.2")};
    TSock client;
    EventLog log;
    log.attach(client);
    client.setHostName("nowhere.test");
    const RawSocket refusing = RawSocket::bound();
    client.setPortName(QString::number(refusing.port()));
    client.Open();
    ASSERT_TRUE(waitFor([&] { return log.entries.join('\n').contains("info 7"); }));
    EXPECT_EQ(log.entries.filter("info 7").size(), 1);
    EXPECT_FALSE(client.Connected());
}

TEST(HostAddresses, TheFamiliesTakeTurnsInTheResolversOrderAndAreBounded) {
    const QHostAddress a6("2001:db8::1"), b6("2001:db8::2"), c4("192.0.2.3"), d4("192.0.2.4");
    EXPECT_EQ(hostcache::interleaved({a6, b6, c4, d4}), (hostcache::Addresses{a6, c4, b6, d4}));
    EXPECT_EQ(hostcache::interleaved({c4, d4, a6}), (hostcache::Addresses{c4, a6, d4}));
    hostcache::Addresses many;
    for (int i = 1; i <= 20; ++i)
        many << QHostAddress(QString("2001:db8::%1").arg(i));
    hostcache::setResolver([&](const QString&) { return many; });
    EXPECT_EQ(hostcache::resolve("many.test"), many.mid(0, hostcache::kMaxAddresses));
    hostcache::setResolver({});
}

} // namespace

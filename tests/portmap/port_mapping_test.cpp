// The mapping's life on the window's thread: the gateway is asked on the
// worker while the event loop runs on, the chat hears the result, and the
// forward is removed when the table closes, when it comes too late, and at
// exit. Never asked for a table that was closed before the answer.
#include "event_wait.h"
#include "portmap/lease_plan.h"
#include "portmap/port_mapping.h"
#include "program_environment.h"
#include "qstring_printer.h"
#include "scripted_gateway.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

struct Watched {
    explicit Watched(int answerLimitMs = PortMapping::kAnswerLimitMs)
        : answerLimitMs(answerLimitMs) {}
    int answerLimitMs;
    std::shared_ptr<GatewayScript> natPmp = std::make_shared<GatewayScript>();
    std::shared_ptr<GatewayScript> upnp = std::make_shared<GatewayScript>();
    QStringList said;
    QHostAddress ipv6; // this computer's global IPv6 address, if any
    std::unique_ptr<PortMapping> mapping = std::make_unique<PortMapping>(
        PortMapping::Hooks{.say = [this](const QString& line) { said.append(line); },
                           .lanAddress = [] { return QString("192.168.77.2"); },
                           .globalIpv6 =
                               [this] {
                                   return ipv6;
                               }},
        [this](portmap::Route route) {
            return std::make_unique<ScriptedGateway>(route == portmap::Route::NatPmp ? natPmp
                                                                                     : upnp);
        },
        answerLimitMs);
    bool saidSoon(const QString& start) {
        return testsupport::waitFor([&] {
            return std::any_of(said.begin(), said.end(),
                               [&](const QString& line) { return line.startsWith(start); });
        });
    }
};

TEST(PortMapping, AnswersArriveAsEventsAndTheForwardGoesWithTheTable) {
    testsupport::ProgramEnvironment environment;
    Watched watched;
    watched.natPmp->present = false;
    watched.upnp->holdFind = true; // a gateway slow to answer
    QElapsedTimer clock;
    clock.start();
    watched.mapping->open(27772);
    EXPECT_LT(clock.elapsed(), 1000); // the window never waits for the gateway
    ASSERT_EQ(watched.said.size(), 1);
    EXPECT_TRUE(watched.said[0].startsWith("0+Asking the router to forward port 27772"));
    EXPECT_EQ(watched.mapping->internetAddress(), std::nullopt);

    watched.upnp->release();
    ASSERT_TRUE(watched.saidSoon("0+Friends on the internet can join at 45.77.0.1, port 27772."));
    ASSERT_TRUE(watched.mapping->internetAddress());
    EXPECT_EQ(watched.mapping->internetAddress()->port, 27772);

    watched.mapping->close();
    EXPECT_EQ(watched.mapping->internetAddress(), std::nullopt);
    EXPECT_TRUE(
        testsupport::waitFor([&] { return watched.upnp->recorded().contains("remove 27772"); }));
}

TEST(PortMapping, AnAnswerForAClosedTableIsUndoneAndASilentGatewayIsGivenUp) {
    testsupport::ProgramEnvironment environment;
    Watched watched(200);
    watched.natPmp->holdFind = true;
    watched.mapping->open(27772);
    ASSERT_TRUE(watched.saidSoon("0+No router answered the request to forward the game's "
                                 "port. For friends on the internet to join, forward TCP port "
                                 "27772 to this computer (192.168.77.2)"));
    watched.natPmp->release(); // it answers after all: the forward it made is removed
    EXPECT_TRUE(
        testsupport::waitFor([&] { return watched.natPmp->recorded().contains("remove 27772"); }));
    EXPECT_EQ(watched.mapping->internetAddress(), std::nullopt);
    EXPECT_EQ(watched.said.size(), 2) << watched.said.join("\n").toStdString();
}

TEST(PortMapping, TheLeaseIsRenewedAndTheForwardRemovedAtExit) {
    testsupport::ProgramEnvironment environment;
    environment.set("LUDOMYRA_TIME_SCALE", "0.001"); // the shortest lease, renewed each 2 s
    Watched watched;
    watched.mapping->open(27772);
    ASSERT_TRUE(watched.saidSoon("0+Friends on the internet can join"));
    const QString lease = QString("add 27772 27772 %1").arg(leaseplan::askedSeconds(0.001));
    EXPECT_TRUE(
        testsupport::waitFor([&] { return watched.natPmp->recorded().count(lease) >= 2; }, 8000))
        << watched.natPmp->recorded().join(", ").toStdString();
    EXPECT_EQ(watched.said.size(), 2); // a renewal that changes nothing says nothing
    const auto script = watched.natPmp;
    watched.mapping.reset(); // the program ends
    EXPECT_EQ(script->recorded().last(), "remove 27772");
}

TEST(PortMapping, AnIpv6PinholeOpensBesideTheForwardIsRenewedAndGoesWithTheTable) {
    testsupport::ProgramEnvironment environment;
    environment.set("LUDOMYRA_TIME_SCALE", "0.001"); // the shortest lease, renewed each 2 s
    Watched watched;
    watched.ipv6 = QHostAddress("2001:db8:77::2");
    watched.upnp->pinholes = true; // NAT-PMP forwards IPv4; UPnP opens IPv6
    watched.mapping->open(27772);
    ASSERT_TRUE(watched.saidSoon("0+The router lets friends on the internet join over IPv6 at "
                                 "2001:db8:77::2, port 27772."));
    EXPECT_TRUE(watched.saidSoon("0+Friends on the internet can join at 45.77.0.1, port 27772."));
    const int lease = leaseplan::askedSeconds(0.001);
    EXPECT_TRUE(
        watched.upnp->recorded().contains(QString("pinhole 2001:db8:77::2 27772 %1").arg(lease)));
    EXPECT_TRUE(testsupport::waitFor(
        [&] { return watched.upnp->recorded().contains(QString("update 1 %1").arg(lease)); }, 8000))
        << watched.upnp->recorded().join(", ").toStdString();
    EXPECT_EQ(watched.said.size(), 3); // a renewal that changes nothing says nothing

    watched.mapping->close();
    EXPECT_TRUE(
        testsupport::waitFor([&] { return watched.upnp->recorded().contains("delete 1"); }));
    EXPECT_TRUE(
        testsupport::waitFor([&] { return watched.natPmp->recorded().contains("remove 27772"); }));
}

TEST(PortMapping, APinholeAloneIsStillRemovedAndAGatewayWithoutOneIsNotAlarming) {
    testsupport::ProgramEnvironment environment;
    Watched refusedIpv4;
    refusedIpv4.ipv6 = QHostAddress("2001:db8:77::2");
    refusedIpv4.natPmp->present = false;
    refusedIpv4.upnp->refusals.insert({27772, 606});
    refusedIpv4.upnp->pinholes = true;
    refusedIpv4.mapping->open(27772);
    ASSERT_TRUE(refusedIpv4.saidSoon("0+The router lets friends on the internet join over IPv6"));
    EXPECT_TRUE(refusedIpv4.saidSoon("0+The router refused to forward port 27772 (error 606)."));
    refusedIpv4.mapping.reset(); // the program ends: the pinhole goes too
    EXPECT_EQ(refusedIpv4.upnp->recorded().last(), "delete 1");

    Watched noFirewallControl;
    noFirewallControl.ipv6 = QHostAddress("2001:db8:77::2");
    noFirewallControl.mapping->open(27772);
    ASSERT_TRUE(noFirewallControl.saidSoon("0+The router does not offer to open the game's port "
                                           "for IPv6, so friends on the internet join over "
                                           "IPv4."));
    EXPECT_TRUE(noFirewallControl.saidSoon("0+Friends on the internet can join at 45.77.0.1"));

    Watched noIpv6; // no global address: no pinhole, no word about one, no UPnP search
    noIpv6.upnp->pinholes = true;
    noIpv6.mapping->open(27772);
    ASSERT_TRUE(noIpv6.saidSoon("0+Friends on the internet can join at 45.77.0.1"));
    noIpv6.mapping->close();
    EXPECT_TRUE(
        testsupport::waitFor([&] { return noIpv6.natPmp->recorded().contains("remove 27772"); }));
    EXPECT_EQ(noIpv6.upnp->recorded(), QStringList{});
    EXPECT_EQ(noIpv6.said.size(), 2);
}

} // namespace

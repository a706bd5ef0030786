// What the program decides about the router without any network: which
// ports and leases it asks for, which protocol's answer counts, when it
// renews, and the words and invite link the player is given for each result.
#include "app/join_addresses.h"
#include "portmap/lease_plan.h"
#include "portmap/mapping_attempt.h"
#include "portmap/mapping_words.h"
#include "qstring_printer.h"
#include "scripted_gateway.h"

#include <gtest/gtest.h>

namespace {

using portmap::Outcome;

struct Gateways {
    std::shared_ptr<GatewayScript> natPmp = std::make_shared<GatewayScript>();
    std::shared_ptr<GatewayScript> upnp = std::make_shared<GatewayScript>();
    portmap::Result map(quint16 port, int lease) {
        ScriptedGateway fast(natPmp), slow(upnp);
        return portmap::mapEitherWay(fast, slow, port, lease);
    }
};

TEST(MappingAttempt, AsksNatPmpFirstAndUpnpOnlyWhenNatPmpMadeNothing) {
    Gateways both;
    const portmap::Result fast = both.map(7772, 3600);
    EXPECT_EQ(fast.outcome, Outcome::Mapped);
    EXPECT_EQ(fast.mapping.route, portmap::Route::NatPmp);
    EXPECT_EQ(both.upnp->recorded(), QStringList{}); // never asked

    Gateways upnpOnly;
    upnpOnly.natPmp->present = false;
    const portmap::Result slow = upnpOnly.map(7772, 3600);
    EXPECT_EQ(slow.mapping.route, portmap::Route::Upnp);
    EXPECT_EQ(upnpOnly.upnp->recorded(), (QStringList{"find", "add 7772 7772 3600"}));

    // A gateway's refusal says more than the other protocol's silence.
    Gateways refusing;
    refusing.natPmp->refusals.insert({7772, 2});
    refusing.upnp->present = false;
    const portmap::Result refused = refusing.map(7772, 3600);
    EXPECT_EQ(refused.outcome, Outcome::Refused);
    EXPECT_EQ(refused.code, 2);

    Gateways none;
    none.natPmp->present = none.upnp->present = false;
    const portmap::Result silent = none.map(7772, 3600);
    EXPECT_EQ(silent.outcome, Outcome::NoGateway);
    EXPECT_EQ(silent.mapping.internalPort, 7772); // the words name the port
}

TEST(MappingAttempt, PermanentAfterError725AndTheNextPortWhenTaken) {
    Gateways permanentOnly;
    permanentOnly.natPmp->present = false;
    permanentOnly.upnp->finiteLeases = false;
    const portmap::Result permanent = permanentOnly.map(7772, 3600);
    EXPECT_EQ(permanent.outcome, Outcome::Mapped);
    EXPECT_EQ(permanent.mapping.leaseSeconds, 0);
    EXPECT_EQ(permanentOnly.upnp->recorded(),
              (QStringList{"find", "add 7772 7772 3600", "add 7772 7772 0"}));

    Gateways taken;
    taken.natPmp->present = false;
    taken.upnp->refusals = {{7772, portmap::kConflictInMappingEntry},
                            {7773, portmap::kConflictInMappingEntry}};
    const portmap::Result moved = taken.map(7772, 3600);
    EXPECT_EQ(moved.outcome, Outcome::Mapped);
    EXPECT_EQ(moved.mapping.internalPort, 7772);
    EXPECT_EQ(moved.mapping.externalPort, 7774);

    Gateways allTaken;
    allTaken.natPmp->present = false;
    for (quint16 port = 7772; port < 7772 + portmap::kPortsTried; ++port)
        allTaken.upnp->refusals.insert({port, portmap::kConflictInMappingEntry});
    EXPECT_EQ(allTaken.map(7772, 3600).outcome, Outcome::PortTaken);
    EXPECT_EQ(allTaken.upnp->recorded().size(), 1 + portmap::kPortsTried);

    // NAT-PMP gateways choose another port themselves.
    Gateways chosen;
    chosen.natPmp->chosenPort = 40000;
    EXPECT_EQ(chosen.map(7772, 3600).mapping.externalPort, 40000);
}

TEST(MappingAttempt, RenewalKeepsThePortOrReportsTheForwardLost) {
    auto script = std::make_shared<GatewayScript>();
    ScriptedGateway gateway(script);
    const portmap::Mapping made{portmap::Route::Upnp, 7772, 7773, 3600};
    EXPECT_EQ(portmap::renew(gateway, made, 3600).outcome, Outcome::Mapped);
    const portmap::Mapping permanent{portmap::Route::Upnp, 7772, 7773, 0};
    EXPECT_EQ(portmap::renew(gateway, permanent, 3600).mapping.leaseSeconds, 0);
    EXPECT_EQ(script->recorded(), (QStringList{"add 7772 7773 3600", "add 7772 7773 0"}));

    script->chosenPort = 50000; // the router gave the port to someone else meanwhile
    EXPECT_EQ(portmap::renew(gateway, made, 3600).outcome, Outcome::Lost);
    script->chosenPort = 0;
    script->refusals.insert({7773, 501});
    EXPECT_EQ(portmap::renew(gateway, made, 3600).outcome, Outcome::Lost);
}

TEST(LeasePlan, RenewsAtHalfTheGrantedLeaseAndNeverAPermanentOne) {
    EXPECT_EQ(leaseplan::askedSeconds(1.0), 3600);
    EXPECT_EQ(leaseplan::askedSeconds(0.01), 36);
    EXPECT_EQ(leaseplan::askedSeconds(0.0001), leaseplan::kShortestSeconds);
    EXPECT_EQ(leaseplan::renewAfterMs(3600), 1800 * 1000);
    EXPECT_EQ(leaseplan::renewAfterMs(1), 1000); // before the end, however short
    EXPECT_EQ(leaseplan::renewAfterMs(0), std::nullopt);
}

portmap::Result result(Outcome outcome, const char* external, quint16 outer = 7772, int code = 0) {
    portmap::Result r;
    r.outcome = outcome;
    r.external = external ? QHostAddress(QString(external)) : QHostAddress();
    r.mapping = {portmap::Route::Upnp, 7772, outer, 3600};
    r.code = code;
    return r;
}

TEST(MappingWords, EachResultSaysWhereFriendsJoinOrWhatToDo) {
    const QString lan = "192.168.1.5";
    EXPECT_EQ(mappingwords::asking(7772),
              QString::fromUtf8("0+Asking the router to forward port 7772 to this computer for "
                                "friends on the internet\u2026"));
    EXPECT_EQ(mappingwords::result(result(Outcome::Mapped, "203.0.113.7"), lan),
              "0+Friends on the internet can join at 203.0.113.7, port 7772.");
    EXPECT_EQ(mappingwords::result(result(Outcome::Mapped, "203.0.113.7", 7774), lan),
              "0+Friends on the internet can join at 203.0.113.7, port 7774 (the router's port "
              "7772 was taken).");
    const QString byHand = " For friends on the internet to join, forward TCP port 7772 to this "
                           "computer (192.168.1.5) in the router's settings, let a friend with a "
                           "reachable address host, or play on a dedicated table.";
    EXPECT_EQ(mappingwords::result(result(Outcome::NoGateway, nullptr), lan),
              "0+No router answered the request to forward the game's port." + byHand);
    EXPECT_EQ(mappingwords::result(result(Outcome::Refused, "203.0.113.7", 7772, 606), lan),
              "0+The router refused to forward port 7772 (error 606)." + byHand);
    EXPECT_EQ(mappingwords::result(result(Outcome::PortTaken, "203.0.113.7"), lan),
              "0+The router already forwards port 7772 and the 3 ports after it to other "
              "computers." +
                  byHand);

    // Behind a second router or the provider's shared address nothing is promised.
    for (const char* inner : {"10.99.0.2", "100.64.3.4", "192.168.0.1", "0.0.0.0"}) {
        const QString said = mappingwords::result(result(Outcome::Mapped, inner), lan);
        EXPECT_TRUE(said.contains(QString(inner) + ", is private") ||
                    said.contains("has no public address of its own"))
            << said.toStdString();
        EXPECT_TRUE(said.contains("probably cannot reach this table")) << said.toStdString();
        EXPECT_FALSE(said.contains("can join at")) << said.toStdString();
        EXPECT_TRUE(mappingwords::result(result(Outcome::Refused, inner), lan)
                        .contains("probably cannot reach"));
    }
    EXPECT_FALSE(mappingwords::result(result(Outcome::Mapped, nullptr), lan).contains("join at"));
}

TEST(MappingWords, TheInviteLinkCarriesTheRoutersAddressOnlyWhileItForwards) {
    const QList<QHostAddress> here{QHostAddress("192.168.1.5")};
    EXPECT_EQ(joinaddresses::inviteLink(here, 7772), "ludomyra://192.168.1.5:7772");
    const portmap::InternetAddress internet{QHostAddress("45.77.0.1"), 7774};
    EXPECT_EQ(joinaddresses::inviteLink(here, 7772, internet), "ludomyra://45.77.0.1:7774");
    EXPECT_EQ(mappingwords::reachableAt(internet),
              "0+Friends on the internet can join at 45.77.0.1, port 7774.");
}

TEST(MappingWords, PinholeRefusalsAndALostRenewalAreSaidPlainly) {
    const QHostAddress ipv6("2001:db8:77::2");
    auto script = std::make_shared<GatewayScript>();
    script->pinholes = true;
    script->pinholeCode = 606;
    ScriptedGateway gateway(script);
    portmap::Result refused = result(Outcome::Refused, "203.0.113.7", 7772, 718);
    refused.pinhole = portmap::openPinhole(gateway, ipv6, 7772, 3600);
    EXPECT_EQ(mappingwords::pinhole(refused),
              "0+The router refused to open port 7772 for IPv6 (error 606) either.");
    portmap::Result mapped = result(Outcome::Mapped, "203.0.113.7");
    mapped.pinhole = refused.pinhole;
    EXPECT_EQ(mappingwords::pinhole(mapped), "0+The router refused to open port 7772 for IPv6 "
                                             "(error 606), so friends on the internet join over "
                                             "IPv4.");

    script->pinholeCode = 0;
    mapped.pinhole = portmap::openPinhole(gateway, ipv6, 7772, 3600);
    ASSERT_EQ(mapped.pinhole.outcome, portmap::PinholeOutcome::Opened);
    script->pinholeCode = 704; // the gateway forgot it (restarted)
    mapped.pinhole = portmap::renewPinhole(gateway, mapped.pinhole, 3600);
    EXPECT_EQ(mappingwords::pinhole(mapped),
              "0+The router stopped letting IPv6 in on port 7772, so friends may no longer reach "
              "this table over IPv6.");
    EXPECT_EQ(script->recorded(),
              (QStringList{"find", "pinhole 2001:db8:77::2 7772 3600", "find",
                           "pinhole 2001:db8:77::2 7772 3600", "update 1 3600"}));
    // Nothing is asked for an address that is no IPv6 one.
    EXPECT_EQ(portmap::openPinhole(gateway, QHostAddress("192.168.1.5"), 7772, 3600).outcome,
              portmap::PinholeOutcome::NotAsked);
    EXPECT_EQ(script->recorded().size(), 5);
}

} // namespace

#include "app/join_addresses.h"
#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

QList<QHostAddress> addresses(const QStringList& texts) {
    QList<QHostAddress> list;
    for (const QString& text : texts)
        list.append(QHostAddress(text));
    return list;
}

TEST(JoinAddressesTest, LanIpv4ComesFirstGlobalIpv6LastAndOnlyLoopbackIsSaidPlainly) {
    const QList<QHostAddress> found = joinaddresses::ordered(
        addresses({"127.0.0.1", "203.0.113.9", "fe80::1", "2001:db8::7", "169.254.3.4",
                   "192.168.1.5", "fd12:3456::5", "10.0.0.7", "192.168.1.5", "172.20.0.2"}));
    EXPECT_EQ(found,
              addresses({"192.168.1.5", "10.0.0.7", "172.20.0.2", "203.0.113.9", "2001:db8::7"}));
    EXPECT_EQ(joinaddresses::line(found, 7000),
              "0+Others can join this table at 192.168.1.5, 10.0.0.7, 172.20.0.2, 203.0.113.9 or "
              "2001:db8::7, port 7000.");
    EXPECT_EQ(joinaddresses::line(addresses({"10.0.0.7"}), 7772),
              "0+Others can join this table at 10.0.0.7, port 7772.");

    // The link: a global IPv6 address before a private LAN one, which no
    // friend elsewhere reaches; an address that is neither stays first.
    EXPECT_EQ(joinaddresses::inviteLink(found, 7000), "ludomyra://[2001:db8::7]:7000");
    const struct {
        QStringList found;
        QString link;
    } links[] = {
        {{"192.168.1.5", "10.0.0.7"}, "ludomyra://192.168.1.5:7772"},
        {{"203.0.113.9", "2001:db8::7"}, "ludomyra://203.0.113.9:7772"},
        {{"2001:db8::7"}, "ludomyra://[2001:db8::7]:7772"},
        {{"fd12:3456::5", "10.0.0.7"}, "ludomyra://10.0.0.7:7772"},
    };
    for (const auto& c : links) {
        EXPECT_EQ(joinaddresses::inviteLink(joinaddresses::ordered(addresses(c.found)), 7772),
                  c.link);
    }

    const QList<QHostAddress> none = joinaddresses::ordered(addresses({"127.0.0.1", "::1"}));
    EXPECT_TRUE(none.isEmpty());
    EXPECT_EQ(joinaddresses::inviteLink(none, 7772), "ludomyra://127.0.0.1:7772");
    EXPECT_EQ(joinaddresses::line(none, 7772),
              "0+This computer has no network address besides 127.0.0.1, so only players on "
              "this computer can join, at 127.0.0.1 port 7772.");
}

} // namespace

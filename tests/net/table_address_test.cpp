// Every form a player types or a link carries, read by the one reader the
// join window, the link question and the settings' recent tables share.
#include "net/player_text.h"
#include "net/table_address.h"
#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

constexpr quint16 kDefault = 7772;

struct Case {
    QString text;
    QString host; // empty: refused
    quint16 port = 0;
    QString problemPart; // for a refusal: words the player is shown
    bool link = false;
};

TEST(TableAddressTest, ReadsEveryFormAndSaysWhatIsWrongWithTheRest) {
    const Case cases[] = {
        // Accepted forms.
        {"192.168.1.5", "192.168.1.5", kDefault, {}},
        {"  ann-pc.local  ", "ann-pc.local", kDefault, {}},
        {"ann-pc:7000", "ann-pc", 7000, {}},
        {"10.0.0.7:1", "10.0.0.7", 1, {}},
        {"host_name.lan:65535", "host_name.lan", 65535, {}},
        {"[::1]", "::1", kDefault, {}},
        {"[fe80::1%eth0]:7000", "fe80::1%eth0", 7000, {}},
        {"2001:db8::7", "2001:db8::7", kDefault, {}},
        {"ludomyra://192.168.1.5:7000", "192.168.1.5", 7000, {}, true},
        {"LUDOMYRA://Ann-PC:7000/", "Ann-PC", 7000, {}, true},
        {"ludomyra://[2001:db8::7]:7000", "2001:db8::7", 7000, {}, true},
        {"ludomyra://ann-pc", "ann-pc", kDefault, {}, true},
        // A name that starts with a digit is a name.
        {"1st.example:17240", "1st.example", 17240, {}},
        {"ludomyra://1st.example:17240", "1st.example", 17240, {}, true},
        // Typed addresses that will not do.
        {"", {}, 0, "Type the address of a table"},
        {"   ", {}, 0, "Type the address of a table"},
        {"ann-pc:", {}, 0, "The port must be a number from 1 to 65535."},
        {"ann-pc:0", {}, 0, "The port must be a number from 1 to 65535."},
        {"ann-pc:65536", {}, 0, "The port must be a number from 1 to 65535."},
        {"ann-pc:+7000", {}, 0, "The port must be a number from 1 to 65535."},
        {"ann-pc:70x", {}, 0, "The port must be a number from 1 to 65535."},
        {":7000", {}, 0, "It names no host."},
        {"ann pc", {}, 0, "\"ann pc\" is not a host name or address."},
        {"<b>x</b>", {}, 0, "\"<b>x</b>\" is not a host name or address."},
        // Numbers in any form but plain dotted decimal: the system would read
        // them as an address other than the one shown.
        {"999.1.1.1", {}, 0, "\"999.1.1.1\" is not a plain IPv4 address"},
        {"10.1",
         {},
         0,
         "\"10.1\" is not a plain IPv4 address (four numbers from 0 to 255, no leading zeros, "
         "like 192.168.1.5)."},
        {"0177.0.0.1:7000", {}, 0, "\"0177.0.0.1\" is not a plain IPv4 address"},
        {"010.0.0.1", {}, 0, "\"010.0.0.1\" is not a plain IPv4 address"},
        {"2130706433", {}, 0, "\"2130706433\" is not a plain IPv4 address"},
        {"0x7f.1", {}, 0, "\"0x7f.1\" is not a plain IPv4 address"},
        {"ludomyra://0x7f.1:17240", {}, 0, "\"0x7f.1\" is not a plain IPv4 address", true},
        {"ludomyra://127.1:17240", {}, 0, "\"127.1\" is not a plain IPv4 address", true},
        {"-ann.lan", {}, 0, "not a host name or address"},
        {"2001:db8::7:7000x", {}, 0, "[address]:port"},
        {"[2001:db8::7", {}, 0, "must end with ]"},
        {"[2001:db8::7]7000", {}, 0, "and a port may follow the ]"},
        {"[nonsense]:7000", {}, 0, "\"nonsense\" is not an IPv6 address."},
        {QString("[::") + QChar(0) + "junk]", {}, 0, "\"::junk\" is not an IPv6 address."},
        {"[::%1@::%]", {}, 0, "is not an IPv6 address."},
        {"[fe80::1%]", {}, 0, "is not an IPv6 address."},
        {"[fe80::1%" + QString(16, u'e') + "]", {}, 0, "is not an IPv6 address."},
        {QString(400, u'a'), {}, 0, "That address is far too long."},
        // Links that will not do: always said to be links, and how they look.
        {"ludomyra:", {}, 0, "must start with ludomyra://", true},
        {"ludomyra:192.168.1.5:7000", {}, 0, "must start with ludomyra://", true},
        {"ludomyra://", {}, 0, "it names no host", true},
        {"ludomyra://:7000", {}, 0, "it names no host", true},
        {"ludomyra://ann-pc:99999", {}, 0, "the port must be a number from 1 to 65535", true},
        {"ludomyra://eve@ann-pc:7000", {}, 0, "more than a host and a port", true},
        {"ludomyra://ann-pc:7000/x?y", {}, 0, "more than a host and a port", true},
        {"ludomyra://ann pc:7000", {}, 0, "blank or hidden characters", true},
        {"ludomyra://" + QString(400, u'a'), {}, 0, "far too long", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.left(60).toStdString());
        const AddressReading reading = tableaddress::read(c.text, kDefault);
        EXPECT_EQ(reading.link, c.link);
        if (c.host.isEmpty()) {
            EXPECT_FALSE(reading.address);
            EXPECT_TRUE(reading.problem.contains(c.problemPart)) << reading.problem.toStdString();
            if (c.link) {
                EXPECT_TRUE(reading.problem.startsWith("This invite link cannot be used: ") &&
                            reading.problem.endsWith("looks like ludomyra://HOST:PORT."))
                    << reading.problem.toStdString();
            }
            continue;
        }
        ASSERT_TRUE(reading.address) << reading.problem.toStdString();
        EXPECT_EQ(reading.address->host, c.host);
        EXPECT_EQ(reading.address->port, c.port);
        EXPECT_TRUE(reading.problem.isEmpty());
    }
}

TEST(TableAddressTest, AddressesWriteBackAsTheyAreRead) {
    const TableAddress v4{"192.168.1.5", 7000};
    const TableAddress v6{"2001:db8::7", 7772};
    EXPECT_EQ(v4.text(), "192.168.1.5:7000");
    EXPECT_EQ(v4.link(), "ludomyra://192.168.1.5:7000");
    EXPECT_EQ(v6.text(), "[2001:db8::7]:7772");
    EXPECT_EQ(v6.link(), "ludomyra://[2001:db8::7]:7772");
    for (const TableAddress& address : {v4, v6}) {
        EXPECT_EQ(tableaddress::read(address.text(), 1).address, address);
        EXPECT_EQ(tableaddress::read(address.link(), 1).address, address);
    }
}

// A link is text from anyone: nothing in it may go unseen, and nothing of it
// shown back in a refusal may hide, turn or break the words around it.
TEST(TableAddressTest, BlankOrHiddenCharactersRefuseALinkAndNeverReachARefusal) {
    const QString refused = "This invite link cannot be used: it holds blank or hidden "
                            "characters. An invite link looks like ludomyra://HOST:PORT.";
    const char32_t hidden[] = {
        0x0000, 0x001B, 0x0085, 0x00A0, 0x00AD, 0x034F, 0x1680, 0x180E, 0x2007, 0x200B,
        0x200D, 0x2028, 0x2029, 0x202E, 0x2066, 0x3000, 0x3164, 0xFE0F, 0xFEFF, 0xE0001,
    };
    for (const char32_t c : hidden) {
        const auto units = QChar::fromUcs4(c); // fromUcs4 on a string would drop a BOM
        const QString one = QStringView(units).toString();
        SCOPED_TRACE(QString::number(c, 16).toStdString());
        for (const QString& link :
             {"ludomyra://ann" + one + "-pc:7000", "ludomyra:/" + one + "/ann-pc:7000",
              "ludomyra://ann-pc:" + one + "7000", one + "ludomyra://ann-pc:7000",
              "ludomyra://ann-pc:7000" + one}) {
            const AddressReading reading = tableaddress::read(link, kDefault);
            EXPECT_TRUE(reading.link);
            EXPECT_FALSE(reading.address);
            EXPECT_EQ(reading.problem, refused);
        }
    }
    // What the attack looked like: its own line inside the warning.
    const QString lines = "ludomyra://a" + QString(30, QChar(0xA0)) + QChar(0x2028) +
                          "The table moved to play.evil.example:7000";
    EXPECT_EQ(tableaddress::read(lines, kDefault).problem, refused);

    // Typed text quoted back is cleaned as every name is.
    for (const QString& typed :
         {"ann" + QString(QChar(0x2028)) + "pc", QString(QChar(0x202E)) + "cp-nna:7000x",
          "10.0.0." + QString(QChar(0x200B)) + "1"}) {
        const QString problem = tableaddress::read(typed, kDefault).problem;
        EXPECT_FALSE(problem.isEmpty());
        EXPECT_EQ(playertext::replaceHidden(problem, u"#"), problem) << problem.toStdString();
    }
}

} // namespace

#include "net/table_address.h"

#include <QStringList>

#include <arpa/inet.h>
#include <netinet/in.h>

namespace {

constexpr int kMaxHostLength = 253;
constexpr int kMaxLabelLength = 63;
constexpr int kQuotedLength = 40;

struct HostAndPort {
    std::optional<TableAddress> address;
    QString reason; // lower case, no full stop: it goes inside a sentence
};

HostAndPort failed(const QString& reason) {
    return {std::nullopt, reason};
}

// Text of the player's own shown back to them, cut short.
QString quoted(const QString& text) {
    const QString shown =
        text.size() > kQuotedLength ? text.left(kQuotedLength) + QChar(0x2026) : text;
    return u'"' + shown + u'"';
}

QString notAnAddress(const QString& host) {
    return quoted(host) + " is not a host name or address";
}

bool isDigits(QStringView text) {
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

std::optional<quint16> portOf(QStringView text) {
    if (!isDigits(text) || text.size() > 5)
        return std::nullopt;
    const int port = text.toInt();
    return port >= 1 && port <= 65535 ? std::optional<quint16>(quint16(port)) : std::nullopt;
}

bool isAscii(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() >= 128)
            return false;
    }
    return true;
}

// A zone ("%eth0") names the local interface of a link-local address.
bool isIpv6(const QString& text) {
    const QString address = text.section(u'%', 0, 0);
    in6_addr parsed{};
    return !address.isEmpty() && isAscii(text) && text.size() != address.size() + 1 &&
           inet_pton(AF_INET6, address.toLatin1().constData(), &parsed) == 1;
}

// Digits and dots only: then it must be a whole dotted IPv4 address, not a
// name, and not the short forms the system's parser would also take.
bool isDottedQuad(const QString& host) {
    const QStringList parts = host.split(u'.');
    if (parts.size() != 4)
        return false;
    for (const QString& part : parts) {
        if (!isDigits(part) || part.size() > 3 || part.toInt() > 255)
            return false;
    }
    return true;
}

bool isHostName(const QString& host) {
    if (host.isEmpty() || host.size() > kMaxHostLength)
        return false;
    bool numeric = true;
    for (const QString& label : host.split(u'.')) {
        if (label.isEmpty() || label.size() > kMaxLabelLength || label.startsWith(u'-') ||
            label.endsWith(u'-'))
            return false;
        for (const QChar c : label) {
            const bool allowed = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                                 (c >= u'0' && c <= u'9') || c == u'-' || c == u'_';
            if (!allowed)
                return false;
            numeric = numeric && c.isDigit();
        }
    }
    return !numeric || isDottedQuad(host);
}

HostAndPort withPort(const QString& host, QStringView portText, quint16 defaultPort) {
    if (portText.isNull())
        return {TableAddress{host, defaultPort}, {}};
    const std::optional<quint16> port = portOf(portText);
    if (!port)
        return failed("the port must be a number from 1 to 65535");
    return {TableAddress{host, *port}, {}};
}

HostAndPort bracketed(const QString& text, quint16 defaultPort) {
    const qsizetype close = text.indexOf(u']');
    if (close < 0)
        return failed("an IPv6 address in brackets must end with ]");
    const QString host = text.mid(1, close - 1);
    if (!isIpv6(host))
        return failed(quoted(host) + " is not an IPv6 address");
    const QString after = text.mid(close + 1);
    if (after.isEmpty())
        return withPort(host, {}, defaultPort);
    if (!after.startsWith(u':'))
        return failed("only \":\" and a port may follow the ] of an IPv6 address");
    return withPort(host, QStringView(after).mid(1), defaultPort);
}

HostAndPort hostAndPort(const QString& text, quint16 defaultPort) {
    if (text.isEmpty())
        return failed("it names no host");
    if (text.startsWith(u'['))
        return bracketed(text, defaultPort);
    const qsizetype colons = text.count(u':');
    if (colons > 1) {
        if (isIpv6(text))
            return withPort(text, {}, defaultPort);
        return failed(notAnAddress(text) +
                      " (an IPv6 address with a port is written [address]:port)");
    }
    const QString host = text.section(u':', 0, 0);
    if (!isHostName(host))
        return failed(host.isEmpty() ? QString("it names no host") : notAnAddress(host));
    return withPort(host, colons == 1 ? QStringView(text).mid(host.size() + 1) : QStringView(),
                    defaultPort);
}

QString sentence(const QString& reason) {
    return reason.left(1).toUpper() + reason.mid(1) + u'.';
}

AddressReading fromLink(const QString& text, quint16 defaultPort) {
    AddressReading reading;
    reading.link = true;
    const auto refuse = [&reading](const QString& reason) {
        reading.problem = "This invite link cannot be used: " + reason +
                          ". An invite link looks like ludomyra://HOST:PORT.";
        return reading;
    };
    if (text.size() > tableaddress::kMaxLength)
        return refuse("it is far too long");
    QString rest = text.mid(QLatin1String(tableaddress::kScheme).size() + 1); // and ":"
    if (!rest.startsWith(u"//"))
        return refuse("it must start with ludomyra://");
    rest = rest.mid(2);
    if (rest.endsWith(u'/'))
        rest.chop(1);
    for (const QChar c : {u'/', u'?', u'#', u'@', u' '}) {
        if (rest.contains(c))
            return refuse("it holds more than a host and a port");
    }
    const HostAndPort parsed = hostAndPort(rest, defaultPort);
    if (!parsed.address)
        return refuse(parsed.reason);
    reading.address = parsed.address;
    return reading;
}

} // namespace

QString TableAddress::text() const {
    const QString shownHost = isIpv6() ? u'[' + host + u']' : host;
    return shownHost + u':' + QString::number(port);
}

QString TableAddress::link() const {
    return QString::fromLatin1(tableaddress::kScheme) + "://" + text();
}

namespace tableaddress {

bool looksLikeLink(const QString& text) {
    return text.trimmed().startsWith(QString::fromLatin1(kScheme) + u':', Qt::CaseInsensitive);
}

AddressReading read(const QString& typed, quint16 defaultPort) {
    const QString text = typed.trimmed();
    if (looksLikeLink(text))
        return fromLink(text, defaultPort);
    AddressReading reading;
    if (text.isEmpty()) {
        reading.problem = "Type the address of a table: a host name or address, host:port, "
                          "[IPv6]:port or an invite link.";
        return reading;
    }
    if (text.size() > kMaxLength) {
        reading.problem = "That address is far too long.";
        return reading;
    }
    const HostAndPort parsed = hostAndPort(text, defaultPort);
    reading.address = parsed.address;
    if (!parsed.address)
        reading.problem = sentence(parsed.reason);
    return reading;
}

QString unreachableReason(const TableAddress& address) {
    if (!address.isIpv6())
        return {};
    return "Tables at IPv6 addresses (" + address.host +
           ") cannot be joined yet: ask for the host's IPv4 address or its name.";
}

} // namespace tableaddress

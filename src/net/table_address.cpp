#include "net/table_address.h"

#include "net/numeric_host.h"
#include "net/player_text.h"

#include <QStringList>

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

// Text shown back in a refusal, cut short. It may be a stranger's (a link):
// cleaned as every name is, so it cannot hide, turn or break the words around it.
QString quoted(const QString& text) {
    QString shown = playertext::replaceHidden(text, {});
    if (shown.size() > kQuotedLength) {
        shown.truncate(shown[kQuotedLength - 1].isHighSurrogate() ? kQuotedLength - 1
                                                                  : kQuotedLength);
        shown += QChar(0x2026);
    }
    return u'"' + shown + u'"';
}

// Characters that a link never holds and that would not be seen, or not be
// seen for what they are: blanks of every kind, controls, format characters
// (zero-width, the bidirectional marks), line and paragraph separators, and
// the other code points that are drawn as nothing.
bool blankOrHidden(char32_t c) {
    const bool drawnAsNothing = c == 0x034F || c == 0x115F || c == 0x1160 || c == 0x17B4 ||
                                c == 0x17B5 || (c >= 0x180B && c <= 0x180F) || c == 0x3164 ||
                                (c >= 0xFE00 && c <= 0xFE0F) || c == 0xFFA0 ||
                                (c >= 0xE0100 && c <= 0xE01EF);
    return QChar::isSpace(c) || playertext::hidesOrBreaks(c) || drawnAsNothing;
}

// Where the first character that is (or is not) blank or hidden begins; the
// text's size when there is none.
qsizetype firstWhere(QStringView text, bool blankOrHiddenWanted) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const char32_t c =
            pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : char32_t(text[i].unicode());
        if (blankOrHidden(c) == blankOrHiddenWanted)
            return i;
        if (pair)
            ++i;
    }
    return text.size();
}

// What a typed field or a pasted line adds around a link.
QString withoutOuterAsciiBlanks(const QString& text) {
    const auto ascii = [](QChar c) {
        return c == u' ' || (c >= u'\t' && c <= u'\r');
    };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && ascii(text[begin]))
        ++begin;
    while (end > begin && ascii(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

QString notAnAddress(const QString& host) {
    return quoted(host) + " is not a host name or address";
}

QString notPlainIpv4(const QString& host) {
    return quoted(host) + " is not a plain IPv4 address (four numbers from 0 to 255, no leading "
                          "zeros, like 192.168.1.5)";
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

bool isHostName(const QString& host) {
    if (host.isEmpty() || host.size() > kMaxHostLength)
        return false;
    for (const QString& label : host.split(u'.')) {
        if (label.isEmpty() || label.size() > kMaxLabelLength || label.startsWith(u'-') ||
            label.endsWith(u'-'))
            return false;
        for (const QChar c : label) {
            const bool allowed = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                                 (c >= u'0' && c <= u'9') || c == u'-' || c == u'_';
            if (!allowed)
                return false;
        }
    }
    return true;
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
    if (!numerichost::isIpv6(host))
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
        if (numerichost::isIpv6(text))
            return withPort(text, {}, defaultPort);
        return failed(notAnAddress(text) +
                      " (an IPv6 address with a port is written [address]:port)");
    }
    const QString host = text.section(u':', 0, 0);
    if (host.isEmpty())
        return failed("it names no host");
    // Numbers in any other form would lead somewhere other than they read.
    if (numerichost::isAmbiguous(host))
        return failed(notPlainIpv4(host));
    if (!numerichost::dottedQuad(host) && !isHostName(host))
        return failed(notAnAddress(host));
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
    // Nothing in a link may go unseen, nor break the warning that quotes it.
    if (firstWhere(text, true) < text.size())
        return refuse("it holds blank or hidden characters");
    QString rest = text.mid(QLatin1String(tableaddress::kScheme).size() + 1); // and ":"
    if (!rest.startsWith(u"//"))
        return refuse("it must start with ludomyra://");
    rest = rest.mid(2);
    if (rest.endsWith(u'/'))
        rest.chop(1);
    for (const QChar c : {u'/', u'?', u'#', u'@'}) {
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

// Hidden characters before the scheme do not make it something else: such a
// link is refused as one.
bool looksLikeLink(const QString& text) {
    const QStringView shown = QStringView(text).mid(firstWhere(text, false));
    return shown.startsWith(QString::fromLatin1(kScheme) + u':', Qt::CaseInsensitive);
}

AddressReading read(const QString& typed, quint16 defaultPort) {
    if (looksLikeLink(typed))
        return fromLink(withoutOuterAsciiBlanks(typed), defaultPort);
    const QString text = typed.trimmed();
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

QString numericHostProblem(const QString& host) {
    return numerichost::isAmbiguous(host) ? sentence(notPlainIpv4(host)) : QString();
}

} // namespace tableaddress

#include "net/numeric_host.h"

#include <QStringTokenizer>

#include <arpa/inet.h>
#include <netinet/in.h>

namespace numerichost {
namespace {

constexpr int kParts = 4;
constexpr int kMaxPartDigits = 3;
constexpr int kMaxPart = 255;
constexpr int kMaxZoneLength = 15; // an interface's name (IFNAMSIZ less its NUL)

bool isDecimal(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isHexadecimal(QChar c) {
    return isDecimal(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool all(QStringView text, bool (*test)(QChar)) {
    for (const QChar c : text) {
        if (!test(c))
            return false;
    }
    return true;
}

// One part of a dotted quad: "0", or 1 to 3 digits without a leading zero.
std::optional<quint32> part(QStringView text) {
    if (text.isEmpty() || text.size() > kMaxPartDigits || !all(text, isDecimal) ||
        (text.size() > 1 && text.front() == u'0'))
        return std::nullopt;
    quint32 value = 0;
    for (const QChar digit : text)
        value = value * 10 + (digit.unicode() - u'0');
    return value <= kMaxPart ? std::optional<quint32>(value) : std::nullopt;
}

// Letters, digits and "-", "_", ".": an interface's name (and the other
// characters of an address, which the C parser then judges).
bool isNameCharacter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || isDecimal(c) || c == u'-' ||
           c == u'_' || c == u'.';
}

} // namespace

// Only plain characters: the C parser stops at a NUL ("::\0junk" would pass
// for "::"), and a zone must read back from a link, where "@" or "/" cannot
// stand and which a long zone would make too long.
bool isIpv6(QStringView host) {
    const qsizetype percent = host.indexOf(u'%');
    const QStringView address = percent < 0 ? host : host.first(percent);
    const QStringView zone = percent < 0 ? QStringView() : host.mid(percent + 1);
    if (address.isEmpty() || (percent >= 0 && zone.isEmpty()) || zone.size() > kMaxZoneLength)
        return false;
    for (const QChar c : address) {
        if (!isNameCharacter(c) && c != u':')
            return false;
    }
    if (!all(zone, isNameCharacter))
        return false;
    in6_addr parsed{};
    return inet_pton(AF_INET6, address.toLatin1().constData(), &parsed) == 1;
}

std::optional<quint32> dottedQuad(QStringView host) {
    quint32 address = 0;
    int parts = 0;
    for (const QStringView text : host.tokenize(u'.')) {
        const std::optional<quint32> value = part(text);
        if (!value || ++parts > kParts)
            return std::nullopt;
        address = address << 8 | *value;
    }
    return parts == kParts ? std::optional<quint32>(address) : std::nullopt;
}

bool looksNumeric(QStringView host) {
    // inet_aton stops at a blank and ignores the rest.
    QStringView text = host.trimmed();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSpace()) {
            text.truncate(i);
            break;
        }
    }
    if (text.endsWith(u'.'))
        text.chop(1);
    const QStringView last = text.mid(text.lastIndexOf(u'.') + 1);
    if (last.isEmpty())
        return false;
    if (all(last, isDecimal))
        return true;
    return last.size() >= 2 && last[0] == u'0' && (last[1] == u'x' || last[1] == u'X') &&
           all(last.mid(2), isHexadecimal);
}

} // namespace numerichost

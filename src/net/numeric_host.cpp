#include "net/numeric_host.h"

#include <QStringTokenizer>

namespace numerichost {
namespace {

constexpr int kParts = 4;
constexpr int kMaxPartDigits = 3;
constexpr int kMaxPart = 255;

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

} // namespace

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

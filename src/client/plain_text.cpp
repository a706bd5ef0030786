#include "client/plain_text.h"

namespace {

bool isControlCharacter(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) // C0, DEL, C1 (NEL breaks lines)
           || c == 0x200E || c == 0x200F        // left-to-right and right-to-left marks
           || (c >= 0x2028 && c <= 0x202E)      // line and paragraph separators, embeddings
           || (c >= 0x2066 && c <= 0x2069);     // isolates
}

} // namespace

QString blankControlCharacters(const QString& text) {
    QString result = text;
    for (QChar& c : result) {
        if (isControlCharacter(c.unicode()))
            c = QLatin1Char(' ');
    }
    return result;
}

std::optional<int> smallDecimal(QStringView text) {
    constexpr qsizetype kMaxDigits = 4;
    if (text.isEmpty() || text.size() > kMaxDigits)
        return std::nullopt;
    int value = 0;
    for (QChar c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

QValidator::State BlankingValidator::validate(QString& input, int&) const {
    input = blankControlCharacters(input);
    return Acceptable;
}

#include "client/chat/plain_text.h"

#include "net/player_text.h"

#include <algorithm>

QString blankControlCharacters(const QString& text) {
    return playertext::replaceHidden(text, u" ");
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

QValidator::State BlankingValidator::validate(QString& input, int& pos) const {
    input = blankControlCharacters(input);
    pos = std::min<int>(pos, int(input.size())); // a pair becomes one blank
    return Acceptable;
}

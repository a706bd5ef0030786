#include "net/player_text.h"

#include <QChar>

namespace playertext {

bool hidesOrBreaks(char32_t character) {
    switch (QChar::category(character)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

QString replaceHidden(QStringView text, QStringView replacement) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text[i];
        const bool pair =
            unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const char32_t character =
            pair ? QChar::surrogateToUcs4(unit, text[i + 1]) : unit.unicode();
        if (hidesOrBreaks(character))
            result += replacement;
        else
            result += text.mid(i, pair ? 2 : 1);
        if (pair)
            ++i;
    }
    return result;
}

QString cleanName(QStringView raw) {
    QString name = replaceHidden(raw, {}).replace(u'+', u'-').trimmed();
    if (name.size() > kMaxNameLength) {
        name.truncate(kMaxNameLength);
        if (name.back().isHighSurrogate())
            name.chop(1);
        name = name.trimmed();
    }
    return name;
}

QString nameForSlot(QStringView raw, int slot) {
    const QString name = cleanName(raw);
    return name.isEmpty() ? QStringLiteral("Player ") + QString::number(slot) : name;
}

} // namespace playertext

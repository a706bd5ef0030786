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

namespace {

// Latin marks end a sentence (or, the colon, open a notice's text) where a
// blank follows them; the wide and ideographic ones need no blank. A
// semicolon ends no sentence, and names such as "&gt;" end in one.
bool endsSentenceBeforeBlank(QChar c) {
    return QStringView(u".!?:\u2026").contains(c);
}
bool endsSentenceAnywhere(QChar c) {
    return QStringView(u"\u3002\uFF61\uFF0E\uFF01\uFF1F\uFF1A").contains(c);
}

// Each run of Latin sentence marks that a blank follows or that ends the
// text goes, and every wide one.
QString withoutSentenceEnds(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        qsizetype end = i;
        while (end < text.size() && endsSentenceBeforeBlank(text[end]))
            ++end;
        if (end == i) {
            if (!endsSentenceAnywhere(text[i]))
                kept += text[i];
            ++i;
            continue;
        }
        if (end < text.size() && !text[end].isSpace())
            kept += text.mid(i, end - i);
        i = end;
    }
    return kept;
}

} // namespace

QString cleanName(QStringView raw) {
    QString name =
        withoutSentenceEnds(replaceHidden(raw, {}).replace(u'+', u'-').simplified()).simplified();
    if (name.size() > kMaxNameLength) {
        name.truncate(kMaxNameLength);
        if (name.back().isHighSurrogate())
            name.chop(1);
        name = withoutSentenceEnds(name.trimmed()).trimmed(); // the cut may end on a mark
    }
    return name;
}

QString nameForSlot(QStringView raw, int slot) {
    const QString name = cleanName(raw);
    return name.isEmpty() ? QStringLiteral("Player ") + QString::number(slot) : name;
}

} // namespace playertext

#pragma once

#include <QString>

// Field cutting for the rule handlers: the field is the text before the first
// "+"; it is removed from the front together with that "+". Without a "+" the
// whole rest is the field.
namespace rulefields {

inline QString cutField(QString& text) {
    const qsizetype plus = text.indexOf(QLatin1Char('+'));
    const QString field = plus < 0 ? text : text.left(plus);
    text.remove(0, plus < 0 ? text.size() : plus + 1);
    return field;
}

// A decimal slot number 1..9, else 0 (never a valid slot, so callers drop the message).
inline int cutSlot(QString& text) {
    bool ok = false;
    const int slot = cutField(text).toInt(&ok);
    return ok && slot >= 1 && slot <= 9 ? slot : 0;
}

} // namespace rulefields

#pragma once

#include <QString>

// How the message builders write their text: the command word, then each
// field after a "+". Numbers are plain decimal.
namespace messagetext {

inline QString fieldText(int value) {
    return QString::number(value);
}
inline const QString& fieldText(const QString& text) {
    return text;
}

// A "+" before each field: the fields after a command word, or one group of
// a list.
template <typename... Fields> QString group(const Fields&... fields) {
    QString text;
    ((text += u'+', text += fieldText(fields)), ...);
    return text;
}

// The last field runs to the end of the message: it may hold "+".
template <typename... Fields> QString message(const char* commandWord, const Fields&... fields) {
    return QLatin1String(commandWord) + group(fields...);
}

// The last field is followed by a closing "+".
template <typename... Fields>
QString closedMessage(const char* commandWord, const Fields&... fields) {
    return message(commandWord, fields...) + u'+';
}

} // namespace messagetext

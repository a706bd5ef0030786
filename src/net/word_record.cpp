#include "net/word_record.h"

namespace wordrecord {

QString found(const QString& finder, const QString& word, int row) {
    const QString where = row > 0 ? QStringLiteral(" in row %1").arg(row) : QString();
    return finder + QStringLiteral(" found ") + word + where + u'.';
}

QString unfound(const QString& word) {
    return QStringLiteral("Nobody found ") + word + u'.';
}

QString won(const QString& winner) {
    return winner + QStringLiteral(" has Won the Game!");
}

QString tied(const QString& names) {
    return names + QStringLiteral(" have Won!");
}

QString whileAway(const QString& line) {
    return QStringLiteral("While you were away: ") + line;
}

} // namespace wordrecord

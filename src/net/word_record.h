#pragma once

#include <QString>

// How the end of a word and of a game read as chat lines: a window writes
// them as they happen, the host keeps them for a player back from a drop,
// and both say them the same way.
namespace wordrecord {

// "Ann found BUSHY in row 3."; without the row when it is not known (0).
QString found(const QString& finder, const QString& word, int row);
// "Nobody found BUSHY."
QString unfound(const QString& word);
// "Ann has Won the Game!"
QString won(const QString& winner);
// "Ann and Bob have Won!"; names joined by " and ".
QString tied(const QString& names);
// Before each line the host keeps for a player who was away.
QString whileAway(const QString& line);

} // namespace wordrecord

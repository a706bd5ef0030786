#pragma once

#include <QStringList>

struct HostState;

// What a player back in a held seat gets beyond a late joiner's catch-up: the
// board of the current word and the turn, as far as the game's messages can
// tell them.
namespace seatcatchup {

// The judged rows of the current word, as the seat saw them when they were
// made: its own rows, and in "nine" the guessing seat's rows as everyone sees
// them.
QStringList currentRows(const HostState& state, int seat);

// The rows of the current word that Klot played for the seat while it was
// held, if any.
QStringList standIns(const HostState& state, int seat);

// What the player missed of the game's record while away, as system lines.
QStringList whileAway(const HostState& state, int seat);

// While a row is open: whose turn it is (the seat's own, unless it has
// guessed in this row already) and who has guessed in it.
QStringList turn(const HostState& state, int seat);

} // namespace seatcatchup

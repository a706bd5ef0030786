#pragma once

#include <QString>
#include <QStringList>

struct HostState;

// The messages a newcomer gets at log-in about who is there and about the
// game that is running.
namespace loginmessages {

// CMD_existingplayers with every other slot in use, in slot order; empty
// when the newcomer is alone.
QString existingPlayers(const HostState& state, int newcomer);

// CMD_playeraway for each held seat, so that its label shows it away.
QStringList awaySeats(const HostState& state);

// While a game runs: CMD_gamestats, CMD_playerscores, then CMD_theyown
// ("race") or CMD_ballowners. Empty when no game runs.
QStringList gameState(const HostState& state, int newcomer);

} // namespace loginmessages

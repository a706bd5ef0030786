#pragma once

#include "net/commands.h"

#include <QString>

// Who holds the host player's rights (starting games, removing players) at a
// dedicated host, where they pass from player to player. Parsed and built
// like gamemsg's.
namespace rightsmsg {

struct HostRights {
    static constexpr const char* kWord = cmd::hostrights;
    int holder; // a seat, 0 while no seated player holds them
    static HostRights parse(const QString& args);
    static QString build(int holder);
};

} // namespace rightsmsg

#pragma once

#include <QString>

// Who holds the host player's rights (starting games, removing players) at a
// dedicated host, where they pass from player to player: CMD_hostrights+SEAT,
// 0 while no seated player holds them. The parser throws MalformedMessage
// like gamemsg's.
namespace rightsmsg {

int holder(const QString& args);

namespace build {
QString hostrights(int seat);
} // namespace build

} // namespace rightsmsg

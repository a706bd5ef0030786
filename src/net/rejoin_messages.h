#pragma once

#include <QString>

// The messages that bring a dropped player back to a held seat: the host's
// secret key for one seat, the verdict on a rejoin, and the away mark other
// windows show. Parsers throw MalformedMessage like gamemsg's.
namespace rejoinmsg {

// 256 bits as lower-case hex.
inline constexpr int kKeyLength = 64;

struct Away { // CMD_playeraway
    int seat;
    bool away;
};

// CMD_rejoinkey: the key alone; anything but 64 lower-case hex digits is refused.
QString key(const QString& args);
// CMD_rejoined: the held seat the connection moved to.
int rejoinedSeat(const QString& args);
Away away(const QString& args);

// The rejoin as the host reads it (CMD_rejoin+SLOT+KEY).
struct Rejoin {
    int slot;
    QString key;
};
Rejoin rejoin(const QString& args);

bool isKey(const QString& text);

namespace build {
QString rejoinkey(const QString& key);
QString rejoinrefused();
QString rejoined(int seat);
QString playeraway(int seat, bool away);
QString rejoin(int slot, const QString& key);
} // namespace build

} // namespace rejoinmsg

#pragma once

#include "net/commands.h"

#include <QString>

// The messages that bring a dropped player back to a held seat: the host's
// secret key for one seat, the verdict on a rejoin, and the away mark other
// windows show. One type each, parsed and built like gamemsg's.
namespace rejoinmsg {

// 256 bits as lower-case hex.
inline constexpr int kKeyLength = 64;

bool isKey(const QString& text);

// The seat's current key, to its player alone; the one before it is dead.
struct RejoinKey {
    static constexpr const char* kWord = cmd::rejoinkey;
    QString key; // anything but 64 lower-case hex digits is refused
    static RejoinKey parse(const QString& args);
    static QString build(const QString& key);
};
// The key opens no seat: the log-in that follows makes a new player.
struct RejoinRefused {
    static constexpr const char* kWord = cmd::rejoinrefused;
    static RejoinRefused parse(const QString&) { return {}; }
    static QString build();
};
// The connection now sits in this held seat, whatever slot it was given.
struct Rejoined {
    static constexpr const char* kWord = cmd::rejoined;
    int seat;
    static Rejoined parse(const QString& args);
    static QString build(int seat);
};
struct PlayerAway {
    static constexpr const char* kWord = cmd::playeraway;
    int seat;
    bool away; // false: its player is back
    static PlayerAway parse(const QString& args);
    static QString build(int seat, bool away);
};
// A client asks for a held seat, just before its log-in.
struct Rejoin {
    static constexpr const char* kWord = cmd::rejoin;
    int slot;
    QString key;
    static Rejoin parse(const QString& args);
    static QString build(int slot, const QString& key);
};

} // namespace rejoinmsg

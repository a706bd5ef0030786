#pragma once

#include "net/game_shape.h"

#include <QString>

// Who may send what. Messages name their sender by slot number; the host
// checks that number against the connection that delivered the message, so
// that no client can speak, guess or log in for another.
namespace senderidentity {

// The first field of args (the text after the command word) is exactly the
// sender's slot number.
bool namesSender(const QString& args, int senderSlot);

// CMD_justwatch: the seat is the sender's own slot; the host player may also
// name any seat 1..5.
bool mayJustWatch(const QString& args, int senderSlot);

// The host player: the only one who may start games (CMD_startgame), remove
// players (CMD_kickhim) and set another seat to just watching.
inline bool isHostPlayer(int senderSlot) {
    return senderSlot == game::kHostPlayerSlot;
}

} // namespace senderidentity

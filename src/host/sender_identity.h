#pragma once

#include <QString>

// Who may send what. Messages name their sender by slot number; the host
// checks that number against the connection that delivered the message, so
// that no client can speak, guess or log in for another.
namespace senderidentity {

// Slot 1 is the host player: the only one who may start games, remove
// players and set another seat to just watching.
inline constexpr int kHostPlayerSlot = 1;

// The first field of args (the text after the command word) is exactly the
// sender's slot number.
bool namesSender(const QString& args, int senderSlot);

// CMD_justwatch: the seat is the sender's own slot; the host player may also
// name any seat 1..5.
bool mayJustWatch(const QString& args, int senderSlot);

// CMD_kickhim and CMD_startgame.
inline bool isHostPlayer(int senderSlot) {
    return senderSlot == kHostPlayerSlot;
}

} // namespace senderidentity

#pragma once

#include <QString>

struct HostState;

// Who may send what. Messages name their sender by slot number; the host
// checks that number against the connection that delivered the message, so
// that no client can speak, guess or log in for another.
namespace senderidentity {

// The slot a message names (its parser has read it as the host writes slot
// numbers) is the sender's.
inline bool namesSender(int namedSlot, int senderSlot) {
    return senderSlot >= 1 && namedSlot == senderSlot;
}

// The host player: the only one who may start games (CMD_startgame), remove
// players (CMD_kickhim) and set another seat to just watching. Slot 1, the
// hosting program's own client; at a dedicated host, which has no player of
// its own, the seated player who logged in first among those still
// connected (a held seat's player has no connection to ask with), so that
// the table goes on when that player leaves and a later arrival never takes
// the rights from someone who was there before. Never a spy, who plays
// nothing. 0 when nobody is.
int hostPlayerSlot(const HostState& state);
inline bool isHostPlayer(const HostState& state, int senderSlot) {
    return senderSlot != 0 && senderSlot == hostPlayerSlot(state);
}

// CMD_justwatch: the seat is the sender's own slot; the host player may also
// name any seat 1..5.
bool mayJustWatch(const HostState& state, int seat, int senderSlot);

} // namespace senderidentity

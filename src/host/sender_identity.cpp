#include "host/sender_identity.h"

#include "host/host_state.h"

namespace senderidentity {

int hostPlayerSlot(const HostState& state) {
    if (!state.dedicated)
        return game::kHostPlayerSlot;
    int holder = 0;
    for (int seat = 1; seat <= game::kSeats; ++seat) {
        const tplayer& player = state.player(seat);
        if (!player.connected() || !player.loggedin)
            continue; // a held seat's player can start nothing meanwhile
        if (holder == 0 || player.loginorder < state.player(holder).loginorder)
            holder = seat;
    }
    return holder;
}

bool mayJustWatch(const HostState& state, int seat, int senderSlot) {
    return namesSender(seat, senderSlot) ||
           (isHostPlayer(state, senderSlot) && seat >= 1 && seat <= game::kSeats);
}

} // namespace senderidentity

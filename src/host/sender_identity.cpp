#include "host/sender_identity.h"

#include "host/host_state.h"

namespace senderidentity {

namespace {
QString firstField(const QString& args) {
    const qsizetype plus = args.indexOf(QLatin1Char('+'));
    return plus < 0 ? args : args.left(plus);
}
} // namespace

bool namesSender(const QString& args, int senderSlot) {
    return HostState::validSlot(senderSlot) && firstField(args) == QString::number(senderSlot);
}

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

bool mayJustWatch(const HostState& state, const QString& args, int senderSlot) {
    if (namesSender(args, senderSlot))
        return true;
    if (!isHostPlayer(state, senderSlot))
        return false;
    bool ok = false;
    const QString seat = firstField(args);
    const int number = seat.toInt(&ok);
    // The exact text, so that "+3" or " 3" cannot slip past as seat 3.
    return ok && number >= 1 && number <= game::kSeats && seat == QString::number(number);
}

} // namespace senderidentity

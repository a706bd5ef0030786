#include "host/rights_announcer.h"

#include "host/host_broadcast.h"
#include "host/host_state.h"
#include "host/sender_identity.h"
#include "net/rights_messages.h"

#include <utility>

RightsAnnouncer::RightsAnnouncer(const HostState& state, HostOutbox& outbox)
    : state_(state), outbox_(outbox) {}

bool RightsAnnouncer::silent() const {
    return !state_.dedicated;
}

void RightsAnnouncer::welcome(int slot) {
    if (silent())
        return;
    const int holder = senderidentity::hostPlayerSlot(state_);
    const int willHold = holder == 0 && slot <= game::kSeats ? slot : holder;
    outbox_.sendTo(slot, rightsmsg::HostRights::build(willHold));
    welcomed_ = slot;
}

void RightsAnnouncer::tell(int slot) {
    if (!silent())
        outbox_.sendTo(slot, rightsmsg::HostRights::build(senderidentity::hostPlayerSlot(state_)));
}

bool RightsAnnouncer::announceIfPassed() {
    if (silent())
        return false;
    const int holder = senderidentity::hostPlayerSlot(state_);
    const int welcomed = std::exchange(welcomed_, 0);
    if (holder == announced_)
        return false;
    announced_ = holder;
    sendToOthersInUse(state_, outbox_, welcomed, rightsmsg::HostRights::build(holder));
    return true;
}

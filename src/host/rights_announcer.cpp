#include "host/rights_announcer.h"

#include "host/host_broadcast.h"
#include "host/host_state.h"
#include "host/sender_identity.h"
#include "net/rights_messages.h"

RightsAnnouncer::RightsAnnouncer(const HostState& state, HostOutbox& outbox)
    : state_(state), outbox_(outbox) {}

bool RightsAnnouncer::silent() const {
    return !state_.dedicated;
}

void RightsAnnouncer::tell(int slot) {
    if (!silent())
        outbox_.sendTo(slot, rightsmsg::build::hostrights(senderidentity::hostPlayerSlot(state_)));
}

bool RightsAnnouncer::announceIfPassed() {
    if (silent())
        return false;
    const int holder = senderidentity::hostPlayerSlot(state_);
    if (holder == announced_)
        return false;
    announced_ = holder;
    sendToAllInUse(state_, outbox_, rightsmsg::build::hostrights(holder));
    return true;
}

#pragma once

#include "host/host_ports.h"
#include "host/host_state.h"

// Sends to every slot 1..9 that has a connection (spies included; held seats
// have none).
inline void sendToAllInUse(const HostState& state, HostOutbox& outbox, const QString& message) {
    for (int slot = 1; slot <= game::kSlots; ++slot) {
        if (state.player(slot).connected())
            outbox.sendTo(slot, message);
    }
}

// As sendToAllInUse, but not to exceptSlot.
inline void sendToOthersInUse(const HostState& state, HostOutbox& outbox, int exceptSlot,
                              const QString& message) {
    for (int slot = 1; slot <= game::kSlots; ++slot) {
        if (slot != exceptSlot && state.player(slot).connected())
            outbox.sendTo(slot, message);
    }
}

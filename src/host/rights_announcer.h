#pragma once

struct HostState;
class HostOutbox;

// At a dedicated host the host player's rights pass from player to player
// (senderidentity::hostPlayerSlot); every window is told who holds them, so
// that each shows Start Game to the player the host obeys. A host with a
// player of its own keeps them in slot 1, which every window knows, and says
// nothing.
class RightsAnnouncer {
public:
    RightsAnnouncer(const HostState& state, HostOutbox& outbox);

    // The connection in the slot hears who holds the rights now.
    void tell(int slot);
    // After each event: when the rights have passed, every connection hears
    // it. True when they were told.
    bool announceIfPassed();

private:
    bool silent() const;

    const HostState& state_;
    HostOutbox& outbox_;
    int announced_ = 0; // the holder the windows were last told of
};

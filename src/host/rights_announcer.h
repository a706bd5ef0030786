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

    // The connection in the slot, about to log in as a new player, hears who
    // will hold the rights once it has: whoever holds them now, or itself if
    // it sits in a seat and nobody does.
    void welcome(int slot);
    // The connection in the slot hears who holds the rights now.
    void tell(int slot);
    // After each event: when the rights have passed, every connection hears
    // it (but a newcomer already told so). True when they were told.
    bool announceIfPassed();

private:
    bool silent() const;

    const HostState& state_;
    HostOutbox& outbox_;
    int announced_ = 0; // the holder the windows were last told of
    int welcomed_ = 0;  // the newcomer told ahead of this event's announcement
};

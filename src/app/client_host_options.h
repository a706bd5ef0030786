#pragma once

#include "client/core/game_choice.h"
#include "host/host_ports.h"

// In the normal program the host reads the computer player's speed, the pause
// between rounds and the table's rules from the settings the window hands
// over, at the moment it needs them.
class ClientHostOptions : public HostOptions {
public:
    explicit ClientHostOptions(const TableSettings& table) : table_(table) {}
    int botSpeedMs() const override { return table_.botSpeedMs; }
    int betweenRoundsTicks() const override { return table_.betweenRounds; }
    bool botFair() const override { return table_.game.botfair == 1; }
    bool exactMarks() const override { return table_.game.exactmarks == 1; }

private:
    const TableSettings& table_;
};

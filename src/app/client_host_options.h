#pragma once

#include "client/tchat.h"
#include "host/host_ports.h"

// In the normal program the host reads the computer player's speed, the pause
// between rounds and the table's rules from the main window's options, at the
// moment it needs them.
class ClientHostOptions : public HostOptions {
public:
    explicit ClientHostOptions(const Tchat& chat) : chat_(chat) {}
    int botSpeedMs() const override { return chat_.botSpeedMs(); }
    int betweenRoundsTicks() const override { return chat_.betweenRounds(); }
    bool botFair() const override { return chat_.gameChoice().botfair == 1; }
    bool exactMarks() const override { return chat_.gameChoice().exactmarks == 1; }

private:
    const Tchat& chat_;
};

#pragma once

#include "host/host_state.h"
#include "host/seating.h"

#include <QTimer>
#include <array>
#include <memory>

// A public host must not be locked by connections that never log in: each
// connection gets a while from its CMD_sendlogininfo to answer, after which
// it is closed and its slot freed. A real client answers at once.
class LoginDeadline {
public:
    LoginDeadline(const HostState& state, HostConnections& connections, int milliseconds);

    // The slot's new connection has been asked to log in.
    void asked(int slot);
    // The slot's connection has gone.
    void gone(int slot);

private:
    void expired(int slot);

    const HostState& state_;
    HostConnections& connections_;
    // One-shot, and only while a connection is asked: nothing ticks when all is quiet.
    std::array<std::unique_ptr<QTimer>, game::kSlots + 1> timers_;
};

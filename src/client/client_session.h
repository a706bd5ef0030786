#pragma once

#include "client/client_state.h"

#include <QString>
#include <functional>

class ClientOutbox;

// The client's log-in at the host and the host's notices about it: the own
// slot, version mismatches, a full host.
class ClientSession {
public:
    struct Hooks {
        std::function<void(const QString& line)> say; // a system line
        std::function<void()> loggedIn;
        std::function<void()> hostFull;
        // The key to show for a seat the host may hold for us, or empty.
        std::function<QString()> rejoinKey;
    };
    ClientSession(ClientState& state, ClientOutbox& outbox, Hooks hooks);

    void sendloginfo(const QString& args);
    void havewrongversion(const QString& args);
    void wrongversion(const QString& args);
    void full(const QString& args);

private:
    ClientState& state_;
    ClientOutbox& outbox_;
    Hooks hooks_;
};

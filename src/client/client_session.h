#pragma once

#include "client/core/client_state.h"
#include "net/game_messages.h"

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

    void sendloginfo(const gamemsg::SendLoginInfo& asked);
    void havewrongversion(const gamemsg::HaveWrongVersion& newcomer);
    void wrongversion();
    void full();

private:
    ClientState& state_;
    ClientOutbox& outbox_;
    Hooks hooks_;
};

#include "client/client_session.h"

#include "client/core/client_outbox.h"
#include "common/version.h"
#include "net/game_messages.h"
#include "net/player_messages.h"
#include "net/player_text.h"
#include "net/rejoin_messages.h"

ClientSession::ClientSession(ClientState& state, ClientOutbox& outbox, Hooks hooks)
    : state_(state), outbox_(outbox), hooks_(std::move(hooks)) {}

void ClientSession::sendloginfo(const gamemsg::SendLoginInfo& asked) {
    const int slot = asked.slot;
    if (state_.connected)
        return; // one log-in per connection; a second offer would move us under the host's feet
    state_.myseat = slot;
    state_.connected = true;
    // The key goes right before the log-in, which the host then takes as a
    // rejoin or, refused, as a new player.
    const QString key = hooks_.rejoinKey ? hooks_.rejoinKey() : QString();
    if (!key.isEmpty())
        outbox_.send(rejoinmsg::Rejoin::build(slot, key));
    outbox_.send(playermsg::LoginInfo::build(slot, kLudomyraVersion, state_.loginname));
    if (hooks_.loggedIn)
        hooks_.loggedIn();
}

void ClientSession::havewrongversion(const gamemsg::HaveWrongVersion& newcomer) {
    const QString name = playertext::cleanName(newcomer.name);
    hooks_.say("0+" + name + " has a different version of the game then you.");
}

void ClientSession::wrongversion() {
    hooks_.say("0+You have a differnt version of the game then the host.");
}

void ClientSession::full() {
    hooks_.hostFull();
}

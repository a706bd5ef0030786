#include "client/client_session.h"

#include "client/client_outbox.h"
#include "common/version.h"
#include "net/game_messages.h"
#include "net/player_messages.h"
#include "net/player_text.h"
#include "net/rejoin_messages.h"

ClientSession::ClientSession(ClientState& state, ClientOutbox& outbox, Hooks hooks)
    : state_(state), outbox_(outbox), hooks_(std::move(hooks)) {}

void ClientSession::sendloginfo(const QString& args) {
    const int slot = gamemsg::slotOnly(args);
    if (state_.connected)
        return; // one log-in per connection; a second offer would move us under the host's feet
    state_.myseat = slot;
    state_.connected = true;
    // The key goes right before the log-in, which the host then takes as a
    // rejoin or, refused, as a new player.
    const QString key = hooks_.rejoinKey ? hooks_.rejoinKey() : QString();
    if (!key.isEmpty())
        outbox_.send(rejoinmsg::build::rejoin(slot, key));
    outbox_.send(playermsg::build::logininfo(slot, kLudomyraVersion, state_.loginname));
    if (hooks_.loggedIn)
        hooks_.loggedIn();
}

void ClientSession::havewrongversion(const QString& args) {
    const QString name = playertext::cleanName(args);
    hooks_.say("0+" + name + " has a different version of the game then you.");
}

void ClientSession::wrongversion(const QString&) {
    hooks_.say("0+You have a differnt version of the game then the host.");
}

void ClientSession::full(const QString&) {
    hooks_.hostFull();
}

#pragma once

#include "client/chat/colour_value.h"
#include "client/core/client_outbox.h"
#include "client/core/client_state.h"

#include <QString>

// Sends this player's chat lines and actions to the host, in the player's
// text colour. The entry box and the phrase buttons both talk through it.
class ChatSender {
public:
    ChatSender(const ClientState& state, ClientOutbox& outbox) : state_(state), outbox_(outbox) {}

    bool connected() const { return state_.connected; }
    void sendChat(const QString& text);
    void sendAction(const QString& text);

    ColourValue textColour = colourValue(0, 0, 0);

private:
    QString coloured(const QString& text) const;

    const ClientState& state_;
    ClientOutbox& outbox_;
};

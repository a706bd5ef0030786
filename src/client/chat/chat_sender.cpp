#include "client/chat/chat_sender.h"

#include "client/chat/colour_text.h"
#include "net/player_messages.h"

void ChatSender::sendChat(const QString& text) {
    outbox_.send(playermsg::Chat::build(state_.myseat, coloured(text)));
}

void ChatSender::sendAction(const QString& text) {
    outbox_.send(playermsg::Action::build(state_.myseat, coloured(text)));
}

// The host relays the colour with the line: "|" and the colour's text.
QString ChatSender::coloured(const QString& text) const {
    return text + u'|' + colourtext::write(textColour);
}

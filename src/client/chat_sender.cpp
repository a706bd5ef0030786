#include "client/chat_sender.h"

#include "client/colour_text.h"
#include "net/commands.h"

void ChatSender::sendChat(const QString& text) {
    send(cmd::chat, text);
}

void ChatSender::sendAction(const QString& text) {
    send(cmd::action, text);
}

void ChatSender::send(const char* commandWord, const QString& text) {
    outbox_.send(QString::fromLatin1(commandWord) + '+' + QString::number(state_.myseat) + '+' +
                 text + '|' + colourtext::write(textColour));
}

#include "net/player_messages.h"

#include "net/commands.h"
#include "net/message_text.h"
#include "net/protocol.h"

namespace playermsg {

LoginInfo logininfo(const QString& args) {
    QString rest = args;
    LoginInfo login;
    login.slot = cutSlot(rest, game::kSlots);
    login.version = cutField(rest);
    login.name = rest;
    return login;
}

KickHim kickhim(const QString& args) {
    QString rest = args;
    const int sender = cutSlot(rest, game::kSlots);
    return {sender, cutSlot(rest, game::kSlots)};
}

Relayed relayed(const QString& args) {
    QString rest = args;
    const int slot = cutSlot(rest, game::kSlots);
    return {slot, rest};
}

// The flag is the whole rest: "1" sits out, "2" plays again.
JustWatch justwatch(const QString& args) {
    QString rest = args;
    const int seat = cutSlot(rest, game::kSlots);
    if (rest != u"1" && rest != u"2")
        throw MalformedMessage();
    return {seat, rest == u"1"};
}

MyWord myword(const QString& args) {
    QString rest = args;
    const int slot = cutSlot(rest, game::kSlots);
    return {slot, cutField(rest)};
}

namespace build {

using messagetext::closedMessage;
using messagetext::message;

QString logininfo(int slot, const QString& version, const QString& name) {
    return message(cmd::logininfo, slot, version, name);
}

QString kickhim(int sender, int slot) {
    return closedMessage(cmd::kickhim, sender, slot);
}

QString chat(int slot, const QString& text) {
    return message(cmd::chat, slot, text);
}

QString action(int slot, const QString& text) {
    return message(cmd::action, slot, text);
}

QString justwatch(int seat, bool watch) {
    return message(cmd::justwatch, seat, watch ? 1 : 2);
}

QString myword(int slot, const QString& word) {
    return closedMessage(cmd::myword, slot, word);
}

QString playasound(int slot, int chatterSound) {
    return closedMessage(cmd::playasound, slot,
                         QStringLiteral("wave") + QString::number(chatterSound));
}

} // namespace build

} // namespace playermsg

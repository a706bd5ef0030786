#include "net/player_messages.h"

#include "net/message_text.h"
#include "net/protocol.h"

namespace playermsg {

using messagetext::closedMessage;
using messagetext::message;

namespace {

Relayed relayed(const QString& args) {
    QString rest = args;
    const int slot = cutSenderSlot(rest);
    return {slot, rest};
}

} // namespace

// "03" would pass for slot 3 in a number, but names no connection.
int cutSenderSlot(QString& rest) {
    if (rest.startsWith(u'0'))
        throw MalformedMessage();
    return cutSlot(rest, game::kSlots);
}

LoginInfo LoginInfo::parse(const QString& args) {
    QString rest = args;
    LoginInfo login;
    login.slot = cutSenderSlot(rest);
    login.version = cutField(rest);
    login.name = rest;
    return login;
}
QString LoginInfo::build(int slot, const QString& version, const QString& name) {
    return message(kWord, slot, version, name);
}

KickHim KickHim::parse(const QString& args) {
    QString rest = args;
    const int sender = cutSenderSlot(rest);
    return {sender, cutSlot(rest, game::kSlots)};
}
QString KickHim::build(int sender, int slot) {
    return closedMessage(kWord, sender, slot);
}

Chat Chat::parse(const QString& args) {
    return {relayed(args)};
}
QString Chat::build(int slot, const QString& text) {
    return message(kWord, slot, text);
}

Action Action::parse(const QString& args) {
    return {relayed(args)};
}
QString Action::build(int slot, const QString& text) {
    return message(kWord, slot, text);
}

PlayASound PlayASound::parse(const QString& args) {
    return {relayed(args)};
}
QString PlayASound::build(int slot, int chatterSound) {
    return closedMessage(kWord, slot, QStringLiteral("wave") + QString::number(chatterSound));
}

// The starter's name in front is not read: the host announces its own.
StartGame StartGame::parse(const QString& args) {
    QString rest = args;
    cutField(rest);
    const std::optional<GameType> type = gametype::fromWord(cutField(rest));
    const QString botoff = cutField(rest);
    if (!type || (botoff != u"0" && botoff != u"1"))
        throw MalformedMessage();
    return {*type, botoff == u"0"};
}

// The flag is the whole rest: "1" sits out, "2" plays again.
JustWatch JustWatch::parse(const QString& args) {
    QString rest = args;
    const int seat = cutSenderSlot(rest);
    if (rest != u"1" && rest != u"2")
        throw MalformedMessage();
    return {seat, rest == u"1"};
}
QString JustWatch::build(int seat, bool watch) {
    return message(kWord, seat, watch ? 1 : 2);
}

MyWord MyWord::parse(const QString& args) {
    QString rest = args;
    const int slot = cutSenderSlot(rest);
    return {slot, cutField(rest)};
}
QString MyWord::build(int slot, const QString& word) {
    return closedMessage(kWord, slot, word);
}

} // namespace playermsg

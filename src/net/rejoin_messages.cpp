#include "net/rejoin_messages.h"

#include "net/game_shape.h"
#include "net/message_text.h"
#include "net/player_messages.h"
#include "net/protocol.h"

#include <algorithm>

namespace rejoinmsg {

using messagetext::message;

bool isKey(const QString& text) {
    if (text.size() != kKeyLength)
        return false;
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f');
    });
}

namespace {

QString cutKey(QString& rest) {
    const QString text = cutField(rest);
    if (!isKey(text))
        throw MalformedMessage();
    return text;
}

} // namespace

RejoinKey RejoinKey::parse(const QString& args) {
    QString rest = args;
    return {cutKey(rest)};
}
QString RejoinKey::build(const QString& key) {
    return message(kWord, key);
}

QString RejoinRefused::build() {
    return messagetext::closedMessage(kWord); // a word alone is no message
}

Rejoined Rejoined::parse(const QString& args) {
    QString rest = args;
    return {cutSlot(rest, game::kSeats)};
}
QString Rejoined::build(int seat) {
    return message(kWord, seat);
}

PlayerAway PlayerAway::parse(const QString& args) {
    QString rest = args;
    const int seat = cutSlot(rest, game::kSeats);
    const QString flag = cutField(rest);
    if (flag != u"0" && flag != u"1")
        throw MalformedMessage();
    return {seat, flag == u"1"};
}
QString PlayerAway::build(int seat, bool away) {
    return message(kWord, seat, away ? 1 : 0);
}

Rejoin Rejoin::parse(const QString& args) {
    QString rest = args;
    const int slot = playermsg::cutSenderSlot(rest);
    return {slot, cutKey(rest)};
}
QString Rejoin::build(int slot, const QString& key) {
    return message(kWord, slot, key);
}

} // namespace rejoinmsg

#include "net/rejoin_messages.h"

#include "net/commands.h"
#include "net/game_shape.h"
#include "net/message_text.h"
#include "net/protocol.h"

#include <algorithm>

namespace rejoinmsg {

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

QString key(const QString& args) {
    QString rest = args;
    return cutKey(rest);
}

int rejoinedSeat(const QString& args) {
    QString rest = args;
    return cutSlot(rest, game::kSeats);
}

Away away(const QString& args) {
    QString rest = args;
    const int seat = cutSlot(rest, game::kSeats);
    const QString flag = cutField(rest);
    if (flag != u"0" && flag != u"1")
        throw MalformedMessage();
    return {seat, flag == u"1"};
}

Rejoin rejoin(const QString& args) {
    QString rest = args;
    const int slot = cutSlot(rest, game::kSlots);
    return {slot, cutKey(rest)};
}

namespace build {
using messagetext::message;

QString rejoinkey(const QString& key) {
    return message(cmd::rejoinkey, key);
}

QString rejoinrefused() {
    return messagetext::closedMessage(cmd::rejoinrefused); // a word alone is no message
}

QString rejoined(int seat) {
    return message(cmd::rejoined, seat);
}

QString playeraway(int seat, bool away) {
    return message(cmd::playeraway, seat, away ? 1 : 0);
}

QString rejoin(int slot, const QString& key) {
    return message(cmd::rejoin, slot, key);
}

} // namespace build
} // namespace rejoinmsg

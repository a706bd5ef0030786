#include "net/rights_messages.h"

#include "net/game_shape.h"
#include "net/message_text.h"
#include "net/protocol.h"

namespace rightsmsg {

HostRights HostRights::parse(const QString& args) {
    QString rest = args;
    const int seat = cutNumber(rest);
    if (seat > game::kSeats)
        throw MalformedMessage();
    return {seat};
}
QString HostRights::build(int holder) {
    return messagetext::message(kWord, holder);
}

} // namespace rightsmsg

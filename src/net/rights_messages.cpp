#include "net/rights_messages.h"

#include "net/commands.h"
#include "net/game_shape.h"
#include "net/message_text.h"
#include "net/protocol.h"

namespace rightsmsg {

int holder(const QString& args) {
    QString rest = args;
    const int seat = cutNumber(rest);
    if (seat > game::kSeats)
        throw MalformedMessage();
    return seat;
}

namespace build {

QString hostrights(int seat) {
    return messagetext::message(cmd::hostrights, seat);
}

} // namespace build
} // namespace rightsmsg

#include "client/received_chat.h"

#include "client/client_state.h"
#include "client/colour_text.h"
#include "client/plain_text.h"

namespace {

ColourValue readChatColour(const QString& text) {
    const std::optional<ColourValue> colour = colourtext::read(text);
    if (!colour || !(isRgbColour(*colour) || isSystemColour(*colour)))
        return kUnreadableColour;
    return *colour;
}

} // namespace

std::optional<ReceivedChat> readReceivedChat(const QString& fields) {
    const qsizetype bar = fields.lastIndexOf('|');
    const QString body = bar >= 0 ? fields.left(bar) : fields;
    const qsizetype plus = body.indexOf('+');
    const std::optional<int> sender = smallDecimal(QStringView(body).left(plus));
    if (plus < 0 || !sender || (*sender != 0 && !ClientState::isSlot(*sender)))
        return std::nullopt;
    const ColourValue colour = bar >= 0 ? readChatColour(fields.mid(bar + 1)) : kUnreadableColour;
    return ReceivedChat{QString::number(*sender) + body.mid(plus), colour};
}

#include "client/chat/received_chat.h"

#include "client/chat/colour_text.h"
#include "client/chat/plain_text.h"
#include "client/client_state.h"

namespace {

// System lines come from this client or the host itself, and their colour is
// what sets them apart from a player's action ("Ann is Connected." reads the same either
// way). A colour that looks near it, named or a desktop colour, is shown as
// a light green instead.
constexpr int kMinDistanceFromSystemLines = 80;
constexpr ColourValue kNearSystemStandIn = colourValue(0, 176, 0);

bool looksLikeSystemLines(ColourValue colour) {
    const QColor shown = toQColor(colour);
    const QColor system = toQColor(kSystemLineColour);
    const int red = shown.red() - system.red();
    const int green = shown.green() - system.green();
    const int blue = shown.blue() - system.blue();
    return red * red + green * green + blue * blue <
           kMinDistanceFromSystemLines * kMinDistanceFromSystemLines;
}

ColourValue readChatColour(const QString& text) {
    const std::optional<ColourValue> colour = colourtext::read(text);
    if (!colour || !(isRgbColour(*colour) || isSystemColour(*colour)))
        return kUnreadableColour;
    return looksLikeSystemLines(*colour) ? kNearSystemStandIn : *colour;
}

} // namespace

std::optional<ReceivedChat> readReceivedChat(const QString& fields) {
    const qsizetype bar = fields.lastIndexOf('|');
    const QString body = bar >= 0 ? fields.left(bar) : fields;
    const qsizetype plus = body.indexOf('+');
    const std::optional<int> sender = smallDecimal(QStringView(body).left(plus));
    if (plus < 0 || !sender || (*sender != 0 && !ClientState::isSlot(*sender)))
        return std::nullopt;
    const ColourValue colour = *sender == 0 ? kSystemLineColour
                               : bar >= 0   ? readChatColour(fields.mid(bar + 1))
                                            : kUnreadableColour;
    return ReceivedChat{QString::number(*sender) + body.mid(plus), colour};
}

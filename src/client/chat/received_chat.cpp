#include "client/chat/received_chat.h"

#include "client/chat/colour_text.h"

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

ReceivedChat readReceivedChat(const gamemsg::ChatLine& received) {
    const QString& text = received.text;
    const qsizetype bar = text.lastIndexOf('|');
    const ColourValue colour = received.sender == 0 ? kSystemLineColour
                               : bar >= 0           ? readChatColour(text.mid(bar + 1))
                                                    : kUnreadableColour;
    const QString body = bar >= 0 ? text.left(bar) : text;
    return ReceivedChat{QString::number(received.sender) + u'+' + body, colour};
}

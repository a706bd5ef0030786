#pragma once

#include "client/colour_value.h"

#include <QString>
#include <optional>

// A chat line or action as the host relays it, read for the chat pane.
struct ReceivedChat {
    QString line; // sender slot, "+", text
    ColourValue colour;
};

// fields: slot "+" text "|" colour text. The colour follows the last "|", so
// a "|" in a name or in typed text survives; without one, or when the colour
// cannot be read, the line is red; a colour close to the system lines' green
// is shown as a lighter green. nullopt when the slot is not 1..9: only this
// client writes system lines (sender 0).
std::optional<ReceivedChat> readReceivedChat(const QString& fields);

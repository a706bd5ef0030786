#pragma once

#include "client/chat/colour_value.h"

#include <QString>
#include <optional>

// A chat line or action as the host relays it, read for the chat pane.
struct ReceivedChat {
    QString line; // sender slot, "+", text
    ColourValue colour;
};

// fields: slot "+" text "|" colour text. The colour follows the last "|", so
// a "|" in a name or in typed text survives; without one, or when the colour
// cannot be read, the line is red; a player's colour close to the system
// lines' green is shown as a lighter green. nullopt when the sender is not
// 0..9. Sender 0 is a system line of the host's own (the table's rules at a
// game start), always in the system colour: the host relays players' lines
// only under their slots 1..9.
std::optional<ReceivedChat> readReceivedChat(const QString& fields);

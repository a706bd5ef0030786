#pragma once

#include "client/chat/colour_value.h"
#include "net/game_messages.h"

#include <QString>

// A chat line or action as the host relays it, read for the chat pane.
struct ReceivedChat {
    QString line; // sender slot, "+", text
    ColourValue colour;
};

// The colour follows the last "|" of the text, so a "|" in a name or in typed
// text survives; without one, or when the colour cannot be read, the line is
// red; a player's colour close to the system lines' green is shown as a
// lighter green. Sender 0 is a system line of the host's own (the table's
// rules at a game start), always in the system colour: the host relays
// players' lines only under their slots 1..9.
ReceivedChat readReceivedChat(const gamemsg::ChatLine& received);

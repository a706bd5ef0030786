#include "app/play_mode.h"

#include "net/player_text.h"
#include "net/table_address.h"

PlayChoice choosePlayMode(const QStringList& arguments) {
    PlayChoice choice;
    if (arguments.isEmpty()) {
        choice.mode = PlayMode::Solo;
        choice.playername = "You";
        choice.hostaddress = "127.0.0.1";
        return choice;
    }
    if (arguments.size() == 1 && tableaddress::looksLikeLink(arguments[0])) {
        choice.mode = PlayMode::Link;
        choice.hostaddress = arguments[0];
        return choice;
    }
    choice.playername = playertext::cleanName(arguments[0]); // as the host will show it
    choice.hostaddress = arguments.value(1);
    if (arguments.size() < 3) {
        choice.mode = PlayMode::Incomplete;
        return choice;
    }
    choice.mode = arguments[2] == "true" ? PlayMode::Host : PlayMode::Join;
    return choice;
}

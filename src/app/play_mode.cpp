#include "app/play_mode.h"

#include "net/player_text.h"

PlayChoice choosePlayMode(const QStringList& arguments) {
    PlayChoice choice;
    if (arguments.isEmpty()) {
        choice.mode = PlayMode::Solo;
        choice.playername = "You";
        choice.hostaddress = "127.0.0.1";
        return choice;
    }
    if (arguments.size() < 3) {
        choice.mode = PlayMode::Incomplete;
        return choice;
    }
    choice.playername = playertext::cleanName(arguments[0]); // as the host will show it
    choice.hostaddress = arguments[1];
    choice.mode = arguments[2] == "true" ? PlayMode::Host : PlayMode::Join;
    return choice;
}

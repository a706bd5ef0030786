#include "client/core/game_choice.h"

GameType GameChoice::type() const {
    switch (gametype) {
    case 2:
        return GameType::Most;
    case 3:
        return GameType::Nine;
    case 4:
        return GameType::Race;
    default:
        return GameType::High;
    }
}

#include "client/core/game_choice.h"

QString GameChoice::keyword() const {
    switch (gametype) {
    case 2:
        return QStringLiteral("most");
    case 3:
        return QStringLiteral("nine");
    case 4:
        return QStringLiteral("race");
    default:
        return QStringLiteral("high");
    }
}

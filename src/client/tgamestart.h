#pragma once

#include "client/small_window.h"

// The game options window with which the host player starts a game.
class Tgamestart : public SmallWindow {
    Q_OBJECT
public:
    Tgamestart();
};

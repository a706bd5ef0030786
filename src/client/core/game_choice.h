#pragma once

#include "net/game_type.h"

// What the next game will be: kept in the table model, shown and changed in
// the game options window, stored in the settings.
struct GameChoice {
    int gametype = 0; // 1 high, 2 most, 3 nine, 4 race; 0 until the settings are loaded
    int botoff = 0;   // 1: the computer player sits out
    // The table's rules, which the host of this program reads at the start.
    int botfair = 0;    // 1: the computer player solves from the marks alone
    int exactmarks = 0; // 1: guesses are marked by the exact rule

    // 1 and the unloaded 0 both start a high score game.
    GameType type() const;
};

// What the host this program runs reads from the window when it needs it:
// the game choice with the table rules, Klot's speed and the pause between
// words. The menus write it; nobody reads the menus for it.
struct TableSettings {
    GameChoice game;
    int botSpeedMs = 1000;
    int betweenRounds = 0; // 0 until the settings are loaded
};

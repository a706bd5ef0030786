#pragma once

#include "client/look/small_window.h"

#include "net/game_type.h"

#include <QLabel>
#include <functional>

// What the next game will be: kept by the main window, shown and changed in
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

// The game options window with which the holder of slot 1 starts a game.
class Tgamestart : public SmallWindow {
    Q_OBJECT
public:
    // onStart: the player confirmed the choice (send the start, save settings).
    Tgamestart(GameChoice& choice, std::function<void()> onStart);

    // Draws the box of that name ("image_1" .. "image_7") empty or ticked.
    void changebox(const QString& boxName, bool ticked);
    void image_1Click(int gametype);
    void image_5Click();
    void image_6Click(); // "Klot Plays Fair"
    void image_7Click(); // "Exact Marks"
    void button_startClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showChoice();
    void toggle(int& flag);

    GameChoice& choice_;
    std::function<void()> onStart_;
    QLabel* button_start = nullptr;
};

#pragma once

#include "client/core/game_choice.h"
#include "client/look/small_window.h"

#include <QLabel>
#include <functional>

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

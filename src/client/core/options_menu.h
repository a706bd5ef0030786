#pragma once

#include "client/core/game_choice.h"
#include "client/core/main_menu.h"
#include "client/core/player_settings.h"

#include <QObject>
#include <functional>
#include <vector>

// The menus' stored choices: sound switches, turn sound, the computer
// player's speed, the pause between words, the word list and the tile
// colours. Every change the player makes is reported, so that it is saved at
// once; the speed and the pause go into the table settings the host reads.
class OptionsMenu : public QObject {
    Q_OBJECT
public:
    OptionsMenu(MainMenu& menu, TableSettings& table, std::function<void()> changed);

    bool soundsOn() const { return menu_.PlaySounds1->isChecked(); }
    bool chatterSoundsOn() const { return menu_.PlayChatterSounds1->isChecked(); }
    bool wordListShown() const { return menu_.ShowWordList1->isChecked(); }
    bool tilesColoured() const { return menu_.ColourtheTiles1->isChecked(); }
    int turnsound() const;
    int botSpeedMs() const { return table_.botSpeedMs; }
    // 0 until the settings are loaded: the menu's own start value.
    int betweenRounds() const { return table_.betweenRounds; }

    void apply(const PlayerSettings& settings);
    void collectInto(PlayerSettings& settings) const;

signals:
    // "Colour the Tiles" was switched, by the player or by the settings.
    void tileColoursChanged();

private:
    static int checkedValue(std::initializer_list<QAction*> choices, int fallback);
    void choose(const std::vector<QAction*>& group, QAction* chosen);
    // Any check mark of the speed group moved, by the player or the settings.
    void readBotSpeed();

    MainMenu& menu_;
    TableSettings& table_;
    std::function<void()> changed_;
};

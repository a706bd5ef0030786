#pragma once

#include "client/core/game_choice.h"
#include "client/look/small_window.h"

#include <QLabel>
#include <functional>

class QButtonGroup;

// The game options window with which the holder of slot 1 starts a game:
// the game type, the marks and Klot's part, each one choice among a few.
class Tgamestart : public SmallWindow {
    Q_OBJECT
public:
    // onStart: the player confirmed the choice (send the start, save settings).
    Tgamestart(GameChoice& choice, std::function<void()> onStart);

    void image_1Click(int gametype);
    void button_startClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One heading and its choices from `top` down; returns the next free top.
    int addChoices(QButtonGroup* group, const QString& heading, int top,
                   const QList<std::pair<QString, QString>>& choices);
    void showChoice();
    void chooseKlot(int id);

    GameChoice& choice_;
    std::function<void()> onStart_;
    QButtonGroup* types_ = nullptr;
    QButtonGroup* marks_ = nullptr;
    QButtonGroup* klot_ = nullptr;
    QLabel* button_start = nullptr;
};

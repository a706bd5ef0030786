#pragma once

#include "client/core/client_state.h"
#include "net/game_messages.h"

#include <QObject>
#include <QString>
#include <functional>

class ClickableLabel;
class ClientOutbox;
class OptionsMenu;
class QMenu;
class QWidget;
class SoundPlayer;
class TableModel;

// Every sound of the game: effects by name, gated by "Play Sounds", and the
// chatter sounds a seated player sends to the table with the sound button.
class Sounds : public QObject {
    Q_OBJECT
public:
    static constexpr int kChatterSounds = gamemsg::PlayASound::kChatterSounds;

    Sounds(QWidget* panel, const ClientState& state, ClientOutbox& outbox, const TableModel& model,
           const OptionsMenu& options, std::function<void(const QString& line)> say);

    // Where clips go: the sound player; tests put a recorder here.
    std::function<void(const QString& name)> player;

    void playsounds(const QString& name);
    void playasound(const gamemsg::PlayASound& sound);
    // A sound menu item: 0 "<Cancel>", 1..20 the chatter sounds.
    void wave12Click(int number);

    // The caption of chatter sound 1..20 ("Doh" ... "Crying"); empty otherwise.
    static QString chatterCaption(int number);

    QMenu* popup() const { return popup_sounds; }
    ClickableLabel* button() const { return b_phrase10; }

private:
    const ClientState& state_;
    ClientOutbox& outbox_;
    const TableModel& model_;
    const OptionsMenu& options_;
    std::function<void(const QString&)> say_;
    SoundPlayer* soundPlayer_ = nullptr;
    ClickableLabel* b_phrase10 = nullptr;
    QMenu* popup_sounds = nullptr;
};

#pragma once

#include "client/core/client_state.h"
#include "client/table/ball_animation.h"
#include "net/game_messages.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class QFrame;
class QLabel;
class QWidget;
class TableModel;

// The pool table: a game's start and end, the shots of found words, and a
// late joiner's catch-up; racks and scores go into the table model. The
// winner goes to the tally once per game, by seat.
class PoolTable : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void(const QString& line)> say;
        std::function<void(const QString& winnerText)> addgame; // the tally
        std::function<void()> gameStarting;              // e.g. "Just Watch" loses its check mark
        std::function<void()> gameUnderway;              // started, or found running at the log-in
        std::function<void()> gameEnded;                 // a win or a tie: Start Game may come back
        std::function<void(const QString& result)> news; // for a screen reader
        std::function<void(const QString& name)> playsound; // an effect by name
    };

    PoolTable(QWidget* panel, const ClientState& state, TableModel& model, Hooks hooks);

    // Handlers of host messages, each checked whole by the dispatcher.
    void startthegame(const gamemsg::StartGame& start);
    void winner(const gamemsg::Winner& won);
    void tiegame(const gamemsg::TieGame& tie);
    void impossible();
    void playerscores(const gamemsg::PlayerScores& scores);
    void ballowners(const gamemsg::BallOwners& owners);
    void theyown(const gamemsg::TheyOwn& owned);
    // Messages the board reads too.
    void heguessed(const gamemsg::HeGuessed& found);
    void gamestats(const gamemsg::GameStats& stats);

    void moveballs(); // one animation call per Timer1 tick
    // A new table: no game, empty racks, the cue ball alone.
    void clear();
    // Runs `then` once the table is at rest with no shot owed: at once when
    // nothing moves. A new table drops what still waits.
    void whenTableRests(std::function<void()> then);

    const BallAnimation& animation() const { return animation_; }
    QLabel* caption() const { return label_gametype; }
    QString bannerText() const;

private:
    void buildTable(QWidget* panel);
    void setType(std::optional<GameType> type, bool joining);
    void announce(const QString& result);
    void startTable(int pocketed);
    // Keeps the table's description for screen readers current.
    void describeTable();

    const ClientState& state_;
    TableModel& model_;
    Hooks hooks_;
    BallAnimation animation_;
    bool resultPending_ = false; // a started game whose result is not yet counted
    std::vector<std::function<void()>> afterShot_;
    QFrame* panel_table = nullptr;
    std::array<QLabel*, ballscripts::kBalls> balls_{};
    QLabel* label_gametype = nullptr;
    QFrame* panel_winner = nullptr;
    QLabel* label_winner1 = nullptr;
    QLabel* label_winner2 = nullptr;
};

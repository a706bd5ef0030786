#pragma once

#include "client/core/game_choice.h"
#include "net/game_shape.h"

#include <QList>
#include <QObject>
#include <QString>
#include <array>
#include <map>
#include <optional>

// What the window knows of the table: who sits where (away, watching, who
// left), the spies, whose turn the marker shows, the guess rows, racks and
// scores, the ball in play, the game type and the settings the host reads.
// The message handlers change it; each part draws its own widgets from it
// when it signals, so no part reads another's widgets to decide anything.
class TableModel : public QObject {
    Q_OBJECT
public:
    static constexpr char kWaiting[] = "<Waiting>";
    static constexpr int kRackCapacity = game::kBalls;

    struct Seat {
        QString name;     // empty while free
        QString departed; // who left it, named until the next game starts
        bool watching = false;
        bool away = false;       // its connection dropped; the host holds the seat
        bool scoreShown = false; // someone sat here this table, or Klot plays it
        std::optional<int> score;
        bool guessed = false; // has guessed in the open row: its chalk shows
        QList<int> rack;      // pocketed balls, in the order won
    };
    struct Cell {
        QString letter;
        char mark = 0;       // 's', 'c' or 0
        bool judged = false; // its row was judged
    };

    // Seats 1..5 (others read as a free seat).
    const Seat& seat(int n) const;
    bool occupied(int n) const { return !seat(n).name.isEmpty(); }
    bool watching(int n) const { return seat(n).watching; }
    // Who a slot is, for lines and titles: the seat's player (a departed one
    // until the next game starts), "Klot" for a free seat 2, the spy's name.
    QString displayName(int slot) const;
    // What the seat reads, without the away mark: its player, Klot standing
    // in, or "<Waiting>".
    QString seatText(int n) const;
    // The names shown in the seats other than ownSlot, "<Waiting>" left out:
    // the players and Klot.
    QStringList otherSeatedNames(int ownSlot) const;
    // Anyone but ownSlot at the table, seated or spying; Klot is nobody.
    bool othersPresent(int ownSlot) const;
    const std::map<int, QString>& spies() const { return spies_; }
    // The seat a dedicated host says holds the host player's rights, 0 for
    // nobody; none until a host has said it.
    std::optional<int> rightsHolder() const { return rightsHolder_; }
    void setRightsHolder(int seat);

    void seatPlayer(int n, const QString& name, bool watching);
    // Its player left: named as departed; a free seat 2 is Klot's from now.
    void freeSeat(int n);
    void setWatching(int n, bool watching);
    void setAway(int n, bool away);
    void addSpy(int slot, const QString& name);
    void removeSpy(int slot);

    // A new game: departed names forgotten, nobody watching, racks empty;
    // a free seat 2 shows Klot when the computer player plays.
    void startGame(bool botPlays);
    void setScore(int n, std::optional<int> score);
    void setGuessed(int n);
    void clearGuessed();
    // Adds the ball to the seat's rack; other seats and full racks are left alone.
    void addToRack(int n, int ball);

    // The seat the turn marker points at; 0: no marker.
    int turn() const { return turn_; }
    void setTurn(int seat);
    int ballInPlay() const { return ballInPlay_; }
    void setBallInPlay(int ball);
    // The running game's type; none between tables, or when the host named
    // a type this program does not know.
    std::optional<GameType> gameType() const { return gameType_; }
    void setGameType(std::optional<GameType> type) { gameType_ = type; }

    const Cell& cell(int row, int column) const { return cells_[index(row, column)]; }
    // A new letter (or none) in a cell, not yet judged; its mark stays.
    void setLetter(int row, int column, const QString& letter);
    void setMark(int row, int column, char mark, bool judged);

    TableSettings& settings() { return settings_; }
    const TableSettings& settings() const { return settings_; }

    // A new table: every seat free, no spies, no turn, empty rows and racks,
    // the rights' holder unknown (a host's catch-up says it again). The
    // settings stay.
    void clear();

signals:
    void seatChanged(int seat);
    void rackChanged(int seat);
    void spiesChanged();
    void rightsChanged();
    void turnChanged(int seat);
    void ballInPlayChanged(int ball);
    void cellChanged(int row, int column);

private:
    static size_t index(int row, int column) {
        return size_t((row - 1) * game::kLetters + column - 1);
    }
    Seat& seatAt(int n) { return seats_[size_t(n - 1)]; }
    void everySeatChanged();

    std::array<Seat, game::kSeats> seats_;
    std::map<int, QString> spies_;
    bool botShown_ = false; // a free seat 2 reads "Klot" rather than "<Waiting>"
    std::optional<int> rightsHolder_;
    int turn_ = 0;
    int ballInPlay_ = 1;
    std::optional<GameType> gameType_;
    std::array<Cell, game::kRows * game::kLetters> cells_{};
    TableSettings settings_;
};

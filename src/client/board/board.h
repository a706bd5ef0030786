#pragma once

#include "client/core/client_state.h"
#include "net/game_messages.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>

class BoardTile;
class ClientOutbox;
class GuessRow;
class OptionsMenu;
class QFrame;
class QLabel;
class QWidget;
class TableModel;
class WordListPanel;

// The guess board and the turn: the ball in play, the five rows of guesses
// and their marks, the input row, the turn clock, the status line and the
// word list. Its handlers put rows, turn and ball into the table model and
// draw the board from it. Every handler checks its whole message first.
class Board : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> focusChat;
        std::function<bool()> windowActive;
        // News for a screen reader: each status line and judged row.
        std::function<void(const QString& news)> announce;
        std::function<void(const QString& name)> playsound; // an effect by name
        // A line of the window's own in the chat ("0+TEXT"): each word's end
        // stays on record there.
        std::function<void(const QString& systemLine)> say;
    };
    static constexpr int kRows = game::kRows;
    static constexpr int kColumns = game::kLetters;
    static constexpr int kTurnSeconds = 20;

    Board(QWidget* panel, ClientState& state, TableModel& model, ClientOutbox& outbox,
          const OptionsMenu& options, Hooks hooks);

    // Handlers of host messages, each checked whole by the dispatcher.
    void loadball(const gamemsg::LoadBall& round);
    void getnextplayer(const gamemsg::NextPlayer& turn);
    void submitted(const gamemsg::Submitted& guessed);
    void yourletters(const gamemsg::Judged& judged); // CMD_yourletters
    void notvalid(const gamemsg::Judged& judged);    // CMD_notvalid
    void timeup(const gamemsg::TimeUp& timeUp);
    void nooneguessed(const gamemsg::NoOneGuessed& unfound);
    void wordlist(const gamemsg::WordList& list);
    // Back from a drop: the rows Klot played for this seat meanwhile.
    void stoodIn(const gamemsg::StoodIn& rows);
    // Messages the table reads too.
    void heguessed(const gamemsg::HeGuessed& found);
    void gamestats(const gamemsg::GameStats& stats);
    // The finder's words of the last CMD_wordlist, if "Show Word List" holds;
    // called once the shot has played, so the panel does not hide it.
    void showWordList();

    void Timer2Timer();
    // A new table: no ball announced, empty rows, no turn.
    void clear();
    // No host any more: the board keeps its letters, nobody's turn goes on.
    void connectionEnded();

    QLabel* cell(int row, int column) const;
    QLabel* mark(int row, int column) const;
    // The mark drawn under a cell: 's', 'c' or 0 for none.
    char markAt(int row, int column) const;
    GuessRow* guessRow() const { return row_; }
    // The tag that marks a row Klot played for this seat; shown or not.
    QLabel* standInTag(int row);
    // The own row is open and still empty: the player has yet to type a guess.
    bool waitingForGuess() const;
    QLabel* status() const { return label_status; }
    QLabel* clock() const { return label_time; }
    WordListPanel* wordListPanel() const { return panel_winnerwordlist; }
    QTimer Timer2;

private:
    // How a cell's letter is drawn: a played or given letter, the letter of
    // a guess that is no word, or a row the clock took.
    enum class CellLook { Played, NotAWord, Missed };
    // A cell's controls and how it is drawn; its letter and mark are the model's.
    struct Cell {
        BoardTile* letter = nullptr;
        QLabel* image = nullptr;
        CellLook look = CellLook::Played;
        QString meaning; // what the cell says to a screen reader beside its letter
    };
    void buildLayout(QWidget* panel);
    void buildGrid(QWidget* panelWord);
    void buildHeader(QWidget* panelWord);
    // Few games show one: each is made when first needed.
    QLabel* buildStandInTag(int row);
    Cell& at(int row, int column) { return cells_[size_t((row - 1) * kColumns + column - 1)]; }
    const Cell& at(int row, int column) const {
        return cells_[size_t((row - 1) * kColumns + column - 1)];
    }
    void setCell(int row, int column, const QString& letter, CellLook look, const QString& meaning);
    // Draws a cell from the model.
    void showCell(int row, int column);
    void tint(int row, int column);
    void tintAll();
    void missRow(int row);
    void startClock();
    void showTimeUp();
    void hideClock();
    void describe(int row, int column);
    // A judged row in words: each letter and what its mark means.
    QString reading(int row) const;
    void showBallInPlay();
    void setStatus(const QString& text);
    void record(const QString& line); // in the chat, for good
    void clearRows();
    void lockForEnd();
    void entered(const QString& word);
    void focusChatIfActive();
    bool windowActive() const;

    ClientState& state_;
    TableModel& model_;
    ClientOutbox& outbox_;
    const OptionsMenu& options_;
    Hooks hooks_;
    bool turnInStatus_ = false; // the status line names whose turn it is
    bool clockRuns_ = false;    // a row is open and its clock shows
    int rowInPlay_ = 0;         // the row of the last turn; 0 before any
    QString firstletter_;
    std::array<Cell, kRows * kColumns> cells_{};
    QWidget* panelWord_ = nullptr;
    std::array<QLabel*, kRows> standInTags_{};
    GuessRow* row_ = nullptr;
    QLabel* image_theball = nullptr;
    QLabel* label_theball = nullptr;
    QLabel* label_time = nullptr;
    QLabel* label_status = nullptr;
    WordListPanel* panel_winnerwordlist = nullptr;
    bool wordListWaiting_ = false; // loaded, to be shown after the shot
};

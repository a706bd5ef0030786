// The guess board's handlers: rounds, turns, judged rows, the end of a word.
#include "client/board/board.h"

#include "client/board/board_tile.h"
#include "client/board/guess_row.h"
#include "client/board/word_list_panel.h"
#include "client/client_outbox.h"
#include "client/look/artwork.h"
#include "client/look/panel_zoom.h"
#include "client/look/widget_look.h"
#include "client/options_menu.h"
#include "client/seats/seats.h"
#include "client/sound/sounds.h"
#include "common/environment.h"
#include "net/player_messages.h"
#include "net/protocol.h"

#include <QLabel>

namespace {

constexpr QColor kBlack(0, 0, 0);
// Dark enough to read on the light squares, yet plainly not a judged letter.
constexpr QColor kDimmed(84, 84, 84);
constexpr int kTurnMarkerRise = 12;

constexpr const char* kBallNames[game::kBalls] = {"One Ball",   "Two Ball",   "Three Ball",
                                                  "Four Ball",  "Five Ball",  "Six Ball",
                                                  "Seven Ball", "Eight Ball", "Nine Ball"};

QString meaningOf(char mark) {
    switch (mark) {
    case 's':
        return "right place";
    case 'c':
        return "in the word, wrong place";
    default:
        return "not in the word";
    }
}

} // namespace

Board::Board(QWidget* panel, ClientState& state, ClientOutbox& outbox, Seats& seats, Sounds& sounds,
             const OptionsMenu& options, Hooks hooks)
    : QObject(panel), state_(state), outbox_(outbox), seats_(seats), sounds_(sounds),
      options_(options), hooks_(std::move(hooks)) {
    buildLayout(panel);
    connect(&options_, &OptionsMenu::tileColoursChanged, this, [this] { tintAll(); });
    Timer2.setInterval(environment::scaledInterval(1000));
    connect(&Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    Timer2.start();
}

QLabel* Board::cell(int row, int column) const {
    return at(row, column).letter;
}

QLabel* Board::mark(int row, int column) const {
    return at(row, column).image;
}

char Board::markAt(int row, int column) const {
    return at(row, column).mark;
}

void Board::setCell(int row, int column, const QString& letter, CellLook look,
                    const QString& meaning) {
    Cell& c = at(row, column);
    c.letter->setText(letter);
    look::setTextColour(c.letter, look == CellLook::Played ? kBlack : kDimmed);
    QFont font = c.letter->font();
    font.setStrikeOut(look == CellLook::NotAWord);
    c.letter->setFont(font);
    c.judged = false;
    tint(c);
    c.meaning = meaning;
    describe(row, column);
}

void Board::setMark(int row, int column, char mark) {
    Cell& c = at(row, column);
    c.mark = mark;
    // Told apart by shape: the numbered ball in play, or the plain cue ball.
    if (mark == 's' || mark == 'c')
        c.image->setPixmap(artwork::markBall(mark == 's' ? ballinplay_ : 0));
    else
        c.image->clear();
    describe(row, column);
}

void Board::tint(Cell& cell) const {
    const bool tinted = cell.judged && options_.tilesColoured();
    cell.letter->setTint(tinted ? BoardTile::tintOf(cell.mark) : QColor());
}

void Board::tintAll() {
    for (Cell& c : cells_)
        tint(c);
}

void Board::describe(int row, int column) {
    const Cell& c = at(row, column);
    QString text = QString("row %1, ").arg(row);
    if (c.letter->text().isEmpty())
        text += QString("column %1, empty").arg(column);
    else
        text += "letter " + c.letter->text();
    if (!c.meaning.isEmpty())
        text += ", " + c.meaning;
    c.letter->setAccessibleName(text);
}

void Board::showBallInPlay(int ball) {
    ballinplay_ = ball;
    image_theball->setPixmap(artwork::ballInPlay(ball));
    label_theball->setText(kBallNames[ball - 1]);
    image_theball->setAccessibleName("Ball in play: " + label_theball->text());
}

void Board::setStatus(const QString& text) {
    label_status->setText(text);
    label_status->setAccessibleName("Status: " + text);
    turnInStatus_ = false;
    if (hooks_.announce && !text.isEmpty())
        hooks_.announce(text);
}

bool Board::windowActive() const {
    return hooks_.windowActive && hooks_.windowActive();
}

// A player still typing a guess keeps the focus in the row, now locked: the
// rest of the word and its Enter must not go to the chat.
void Board::focusChatIfActive() {
    if (windowActive() && hooks_.focusChat && !row_->hasFocus())
        hooks_.focusChat();
}

void Board::clearRows() {
    panel_winnerwordlist->hide();
    panel_winnerwordlist->clearwords();
    for (int r = 1; r <= kRows; ++r) {
        for (int c = 1; c <= kColumns; ++c) {
            setCell(r, c, {}, CellLook::Played, {});
            setMark(r, c, 0);
        }
    }
    row_->show(GuessRow::Look::Open);
}

void Board::loadball(const gamemsg::LoadBall& round) {
    wordListWaiting_ = false;
    firstletter_ = round.letter;
    clearRows();
    setCell(1, 1, firstletter_, CellLook::Played, "given");
    showBallInPlay(round.ball);
    hideClock();
}

void Board::clear() {
    wordListWaiting_ = false;
    firstletter_.clear();
    clearRows();
    setStatus({});
    hideClock();
    image_Turn->hide();
    showBallInPlay(1);
}

void Board::getnextplayer(const gamemsg::NextPlayer& turn) {
    state_.turnseat = turn.slot;
    for (int s = 1; s <= game::kSeats; ++s)
        seats_.chalk(s)->hide();
    setCell(turn.row, 1, firstletter_, CellLook::Played, "given");
    if (QLabel* chalk = seats_.chalk(turn.slot))
        PanelZoom::place(image_Turn,
                         PanelZoom::baseGeometry(chalk).topLeft() - QPoint(0, kTurnMarkerRise));
    image_Turn->show();
    image_Turn->raise();
    const bool mine = turn.slot == state_.myseat;
    // While "Just Watch" holds, the computer player may be guessing for the seat.
    if (mine && state_.seated() && !seats_.watching(state_.myseat)) {
        row_->show(GuessRow::Look::Open);
        setStatus("Your Turn.");
        turnInStatus_ = true;
        sounds_.playsounds(options_.turnsound() == 1 ? "turnnew" : "turn");
        if (windowActive())
            row_->focusFirst();
    } else {
        row_->show(GuessRow::Look::Locked);
        if (!mine) {
            setStatus(seats_.displayName(turn.slot) + "'s turn.");
            turnInStatus_ = true;
        }
    }
    state_.secondsleft = kTurnSeconds;
    startClock();
}

// The clock shows only while a row is open, and "Time: 00" once its time ran
// out; before a row opens and after the word is settled it is blank.
void Board::startClock() {
    clockRuns_ = true;
    label_time->setText(QString("Time: %1").arg(state_.secondsleft, 2, 10, QChar(u'0')));
}

void Board::showTimeUp() {
    clockRuns_ = false;
    label_time->setText("Time: 00");
}

void Board::hideClock() {
    clockRuns_ = false;
    label_time->clear();
}

void Board::Timer2Timer() {
    --state_.secondsleft;
    if (state_.secondsleft <= 0) {
        state_.turnseat = 0; // typing ends here; the host decides the row's real end
        if (clockRuns_)
            showTimeUp();
    } else if (clockRuns_) {
        startClock();
    }
}

void Board::entered(const QString& word) {
    if (state_.seated() && state_.turnseat == state_.myseat)
        outbox_.send(playermsg::MyWord::build(state_.myseat, word));
    row_->setLook(GuessRow::Look::Submitted);
    state_.turnseat = 0;
    if (hooks_.focusChat)
        hooks_.focusChat();
    image_Turn->hide();
}

void Board::submitted(const gamemsg::Submitted& guessed) {
    const int slot = guessed.slot;
    if (QLabel* chalk = seats_.chalk(slot))
        chalk->show();
}

void Board::yourletters(const gamemsg::Judged& judged) {
    if (judged.slot != state_.myseat && !judged.everyone)
        return;
    for (int c = 1; c <= kColumns; ++c) {
        const char m = static_cast<char>(judged.marks[size_t(c - 1)]);
        setCell(judged.row, c, judged.guess[size_t(c - 1)], CellLook::Played, meaningOf(m));
        setMark(judged.row, c, m == 's' || m == 'c' ? m : 0);
        Cell& cell = at(judged.row, c);
        cell.judged = true;
        tint(cell);
        row_->clearColumn(c);
    }
    if (hooks_.announce)
        hooks_.announce(reading(judged.row));
    sounds_.playsounds("wrongguess");
}

QString Board::reading(int row) const {
    QStringList letters;
    for (int c = 1; c <= kColumns; ++c)
        letters << at(row, c).letter->text() + " " + at(row, c).meaning;
    return QString("Row %1: %2.").arg(row).arg(letters.join("; "));
}

void Board::notvalid(const gamemsg::Judged& judged) {
    if (judged.slot != state_.myseat && !judged.everyone)
        return;
    for (int c = 1; c <= kColumns; ++c)
        setCell(judged.row, c, judged.guess[size_t(c - 1)], CellLook::NotAWord, "not a word");
    setStatus(judged.rawGuess + " is not a valid word!");
    sounds_.playsounds("wrongguess");
}

void Board::timeup(const gamemsg::TimeUp& timeUp) {
    const int row = timeUp.row;
    setStatus("Time is Up!");
    state_.secondsleft = 0;
    state_.turnseat = 0;
    showTimeUp();
    missRow(row);
    sounds_.playsounds("wrongguess");
    image_Turn->hide();
    focusChatIfActive();
}

// Every row the clock took looks the same: the given letter, then stars.
void Board::missRow(int row) {
    setCell(row, 1, firstletter_.isEmpty() ? "*" : firstletter_, CellLook::Missed, "given");
    for (int c = 2; c <= kColumns; ++c)
        setCell(row, c, "*", CellLook::Missed, "no guess");
    for (int c = 1; c <= kColumns; ++c)
        row_->clearColumn(c);
}

void Board::lockForEnd() {
    state_.secondsleft = 0;
    state_.turnseat = 0;
    hideClock();
    image_Turn->hide();
}

void Board::connectionEnded() {
    if (turnInStatus_)
        setStatus(QString()); // a turn would be a promise nobody keeps
    lockForEnd();
    if (row_->look() == GuessRow::Look::Open)
        row_->setLook(GuessRow::Look::Locked);
    focusChatIfActive();
}

void Board::nooneguessed(const gamemsg::NoOneGuessed& unfound) {
    const gamemsg::Letters& word = unfound.word;
    setStatus(word[0] + word[1] + word[2] + word[3] + word[4] + " is the correct answer.");
    row_->show(GuessRow::Look::Revealed, word);
    lockForEnd();
}

void Board::heguessed(const gamemsg::HeGuessed& found) {
    setStatus(found.word + " is the word. " + seats_.displayName(found.slot) + " got it!");
    row_->show(GuessRow::Look::Revealed, found.letters);
    lockForEnd();
    if (found.slot == state_.myseat)
        sounds_.playsounds("rightguess");
    focusChatIfActive();
}

void Board::wordlist(const gamemsg::WordList& list) {
    const QString finder = seats_.displayName(list.slot);
    for (const auto& [row, word] : list.rows)
        panel_winnerwordlist->loadwords(finder, word, row);
    wordListWaiting_ = options_.wordListShown();
}

void Board::showWordList() {
    if (!wordListWaiting_)
        return;
    wordListWaiting_ = false;
    panel_winnerwordlist->show();
    panel_winnerwordlist->raise();
}

void Board::gamestats(const gamemsg::GameStats& stats) {
    firstletter_ = stats.letter;
    // The rows played before this window came are unknown here: drawn as
    // missed, while a row this window saw keeps its letters.
    const int lastPlayed = std::min(stats.row - 1, kRows);
    for (int r = 1; r <= lastPlayed; ++r) {
        if (cell(r, 2)->text().isEmpty())
            missRow(r);
    }
    if (lastPlayed == 0)
        setCell(1, 1, firstletter_, CellLook::Played, "given");
    state_.turnseat = 0;
    showBallInPlay(stats.ball);
}

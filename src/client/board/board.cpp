// The guess board's handlers: rounds, turns, judged rows, the end of a word.
#include "client/board/board.h"

#include "client/board/board_tile.h"
#include "client/board/guess_row.h"
#include "client/board/word_list_panel.h"
#include "client/core/client_outbox.h"
#include "client/core/options_menu.h"
#include "client/core/table_model.h"
#include "client/look/artwork.h"
#include "client/look/widget_look.h"
#include "common/environment.h"
#include "net/player_messages.h"
#include "net/protocol.h"
#include "net/word_record.h"

#include <QLabel>

namespace {

constexpr QColor kBlack(0, 0, 0);
// Dark enough to read on the light squares, yet plainly not a judged letter.
constexpr QColor kDimmed(84, 84, 84);

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

Board::Board(QWidget* panel, ClientState& state, TableModel& model, ClientOutbox& outbox,
             const OptionsMenu& options, Hooks hooks)
    : QObject(panel), state_(state), model_(model), outbox_(outbox), options_(options),
      hooks_(std::move(hooks)) {
    connect(&model_, &TableModel::cellChanged, this, &Board::showCell);
    connect(&model_, &TableModel::ballInPlayChanged, this, [this] { showBallInPlay(); });
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
    return model_.cell(row, column).mark;
}

void Board::setCell(int row, int column, const QString& letter, CellLook look,
                    const QString& meaning) {
    Cell& c = at(row, column);
    c.look = look;
    c.meaning = meaning;
    model_.setLetter(row, column, letter);
}

void Board::showCell(int row, int column) {
    const Cell& c = at(row, column);
    if (!c.letter)
        return; // still being built
    const TableModel::Cell& shown = model_.cell(row, column);
    c.letter->setText(shown.letter);
    look::setTextColour(c.letter, c.look == CellLook::Played ? kBlack : kDimmed);
    QFont font = c.letter->font();
    font.setStrikeOut(c.look == CellLook::NotAWord);
    c.letter->setFont(font);
    tint(row, column);
    // Told apart by shape: the numbered ball in play, or the plain cue ball.
    if (shown.mark == 's' || shown.mark == 'c')
        c.image->setPixmap(artwork::markBall(shown.mark == 's' ? model_.ballInPlay() : 0));
    else
        c.image->clear();
    describe(row, column);
}

void Board::tint(int row, int column) {
    const TableModel::Cell& shown = model_.cell(row, column);
    const bool tinted = shown.judged && options_.tilesColoured();
    at(row, column).letter->setTint(tinted ? BoardTile::tintOf(shown.mark) : QColor());
}

void Board::tintAll() {
    for (int r = 1; r <= kRows; ++r) {
        for (int c = 1; c <= kColumns; ++c)
            tint(r, c);
    }
}

void Board::describe(int row, int column) {
    const Cell& c = at(row, column);
    const QString& letter = model_.cell(row, column).letter;
    QString text = QString("row %1, ").arg(row);
    if (letter.isEmpty())
        text += QString("column %1, empty").arg(column);
    else
        text += "letter " + letter;
    if (!c.meaning.isEmpty())
        text += ", " + c.meaning;
    c.letter->setAccessibleName(text);
}

void Board::showBallInPlay() {
    const int ball = model_.ballInPlay();
    image_theball->setPixmap(artwork::ballInPlay(ball));
    label_theball->setText(kBallNames[ball - 1]);
    image_theball->setAccessibleName("Ball in play: " + QString(kBallNames[ball - 1]));
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
    for (QLabel* tag : standInTags_)
        if (tag)
            tag->hide();
    panel_winnerwordlist->hide();
    panel_winnerwordlist->clearwords();
    for (int r = 1; r <= kRows; ++r) {
        for (int c = 1; c <= kColumns; ++c) {
            setCell(r, c, {}, CellLook::Played, {});
            model_.setMark(r, c, 0, false);
        }
    }
    row_->show(GuessRow::Look::Open);
}

void Board::loadball(const gamemsg::LoadBall& round) {
    wordListWaiting_ = false;
    rowInPlay_ = 0;
    firstletter_ = round.letter;
    clearRows();
    setCell(1, 1, firstletter_, CellLook::Played, "given");
    model_.setBallInPlay(round.ball);
    hideClock();
}

void Board::clear() {
    wordListWaiting_ = false;
    rowInPlay_ = 0;
    firstletter_.clear();
    clearRows();
    setStatus({});
    hideClock();
    model_.setTurn(0);
    model_.setBallInPlay(1);
}

void Board::getnextplayer(const gamemsg::NextPlayer& turn) {
    state_.turnseat = turn.slot;
    rowInPlay_ = turn.row;
    model_.clearGuessed();
    setCell(turn.row, 1, firstletter_, CellLook::Played, "given");
    model_.setTurn(turn.slot);
    const bool mine = turn.slot == state_.myseat;
    // While "Just Watch" holds, the computer player may be guessing for the seat.
    if (mine && state_.seated() && !model_.watching(state_.myseat)) {
        row_->show(GuessRow::Look::Open);
        setStatus("Your Turn.");
        turnInStatus_ = true;
        hooks_.playsound(options_.turnsound() == 1 ? "turnnew" : "turn");
        if (windowActive())
            row_->focusFirst();
    } else {
        row_->show(GuessRow::Look::Locked);
        if (!mine) {
            setStatus(model_.displayName(turn.slot) + "'s turn.");
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

bool Board::waitingForGuess() const {
    return row_->look() == GuessRow::Look::Open && state_.seated() &&
           state_.turnseat == state_.myseat && row_->word().isEmpty();
}

void Board::entered(const QString& word) {
    // The row keeps it: a guess without the given letter would only waste it.
    if (!firstletter_.isEmpty() && !word.startsWith(firstletter_)) {
        setStatus(word + " does not start with " + firstletter_ + "!");
        hooks_.playsound("wrongguess");
        return;
    }
    if (state_.seated() && state_.turnseat == state_.myseat)
        outbox_.send(playermsg::MyWord::build(state_.myseat, word));
    row_->setLook(GuessRow::Look::Submitted);
    state_.turnseat = 0;
    if (hooks_.focusChat)
        hooks_.focusChat();
    model_.setTurn(0);
}

void Board::submitted(const gamemsg::Submitted& guessed) {
    model_.setGuessed(guessed.slot);
}

void Board::yourletters(const gamemsg::Judged& judged) {
    if (judged.slot != state_.myseat && !judged.everyone)
        return;
    for (int c = 1; c <= kColumns; ++c) {
        const char m = static_cast<char>(judged.marks[size_t(c - 1)]);
        setCell(judged.row, c, judged.guess[size_t(c - 1)], CellLook::Played, meaningOf(m));
        model_.setMark(judged.row, c, m == 's' || m == 'c' ? m : 0, true);
        row_->clearColumn(c);
    }
    if (hooks_.announce)
        hooks_.announce(reading(judged.row));
    hooks_.playsound("wrongguess");
}

QString Board::reading(int row) const {
    QStringList letters;
    for (int c = 1; c <= kColumns; ++c)
        letters << model_.cell(row, c).letter + " " + at(row, c).meaning;
    return QString("Row %1: %2.").arg(row).arg(letters.join("; "));
}

void Board::notvalid(const gamemsg::Judged& judged) {
    if (judged.slot != state_.myseat && !judged.everyone)
        return;
    for (int c = 1; c <= kColumns; ++c)
        setCell(judged.row, c, judged.guess[size_t(c - 1)], CellLook::NotAWord, "not a word");
    setStatus(judged.rawGuess + " is not a valid word!");
    hooks_.playsound("wrongguess");
}

void Board::timeup(const gamemsg::TimeUp& timeUp) {
    const int row = timeUp.row;
    setStatus("Time is Up!");
    state_.secondsleft = 0;
    state_.turnseat = 0;
    showTimeUp();
    missRow(row);
    hooks_.playsound("wrongguess");
    model_.setTurn(0);
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
    model_.setTurn(0);
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
    const QString shown = word[0] + word[1] + word[2] + word[3] + word[4];
    setStatus(shown + " is the correct answer.");
    record(wordrecord::unfound(shown));
    row_->show(GuessRow::Look::Revealed, word);
    lockForEnd();
}

void Board::record(const QString& line) {
    if (hooks_.say)
        hooks_.say("0+" + line);
}

void Board::heguessed(const gamemsg::HeGuessed& found) {
    const QString finder = model_.displayName(found.slot);
    setStatus(found.word + " is the word. " + finder + " got it!");
    record(wordrecord::found(finder, found.word, rowInPlay_));
    row_->show(GuessRow::Look::Revealed, found.letters);
    lockForEnd();
    if (found.slot == state_.myseat)
        hooks_.playsound("rightguess");
    focusChatIfActive();
}

void Board::wordlist(const gamemsg::WordList& list) {
    const QString finder = model_.displayName(list.slot);
    for (const auto& [row, word] : list.rows)
        panel_winnerwordlist->loadwords(finder, word, row);
    wordListWaiting_ = options_.wordListShown();
}

void Board::stoodIn(const gamemsg::StoodIn& rows) {
    for (const int row : rows.rows) {
        standInTag(row)->show();
        standInTag(row)->raise();
        for (int c = 1; c <= kColumns; ++c) {
            Cell& played = at(row, c);
            played.meaning += QString(played.meaning.isEmpty() ? "played by %1" : ", played by %1")
                                  .arg(game::kBotName);
            describe(row, c);
        }
    }
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
        if (model_.cell(r, 2).letter.isEmpty())
            missRow(r);
    }
    if (lastPlayed == 0)
        setCell(1, 1, firstletter_, CellLook::Played, "given");
    state_.turnseat = 0;
    rowInPlay_ = std::clamp(stats.row, 0, kRows);
    model_.setBallInPlay(stats.ball);
}

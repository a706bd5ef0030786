#include "host/computer_player.h"

#include "common/random.h"
#include "host/fair_guesser.h"
#include "host/guess_judge.h"
#include "host/host_ports.h"
#include "host/host_state.h"
#include "host/word_lists.h"

#include <algorithm>

namespace {
constexpr int kMaxAttempts = 1000;
constexpr int kRowsNeverRepeated = 4;
constexpr int kSearchAgainAbove = 4; // countdown ticks left in the row
const QStringList kStartingPatterns = {QStringLiteral("sssxx"), QStringLiteral("sxxsx"),
                                       QStringLiteral("sxsxs")};
} // namespace

ComputerPlayer::ComputerPlayer(HostState& state, HostClock& clock, WordLists& words,
                               GuessJudge& judge)
    : state_(state), clock_(clock), words_(words), judge_(judge) {}

void ComputerPlayer::computertimerTimer() {
    clock_.stopComputerTimer();
    const int seat = state_.playing(GameType::Nine) && state_.currentseat != 0 ? state_.currentseat
                                                                               : game::kBotSeat;
    computerfindword(seat);
}

void ComputerPlayer::computerfindword(int seat) {
    // With no word open the guess would be ignored anyway: spare the search.
    if (seat < 1 || seat > game::kSeats || !state_.botplays || !state_.wordopen ||
        state_.hiddenword.isEmpty())
        return;
    tplayer& player = state_.player(seat);
    if (player.plays())
        return; // a person plays this seat
    if (state_.botfair) {
        guess(seat, fairGuess(state_, words_, seat));
        return;
    }
    if (player.marks.isEmpty())
        player.marks = kStartingPatterns[randomBelow(static_cast<int>(kStartingPatterns.size()))];

    guess(seat, pickWord(seat));
}

void ComputerPlayer::guess(int seat, const QString& word) {
    if (!word.isEmpty())
        judge_.judge(seat, word);
}

// Draws are taken only from the words the bot may play at all (the hidden word's
// first letter, not one of its rows 1-4), which is what drawing from the whole
// dictionary and skipping the others amounts to, but cannot spin when none is
// left. Searching again until a word fits picks uniformly among the words that
// fit, so the repeat is one pass over them: bounded even when none fits.
QString ComputerPlayer::pickWord(int seat) const {
    const tplayer& player = state_.player(seat);
    const auto rowsEnd = player.rowwords.begin() + kRowsNeverRepeated;
    QStringList playable;
    for (const QString& entry : words_.dictionaryWordsStartingWith(state_.hiddenword.front())) {
        const QString word = entry.toUpper();
        if (std::find(player.rowwords.begin(), rowsEnd, word) == rowsEnd)
            playable.append(word);
    }
    if (playable.isEmpty())
        return QString();

    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        const QString& word = playable.at(randomBelow(static_cast<int>(playable.size())));
        if (fits(word, player.marks))
            return word;
    }
    if (state_.countdown <= kSearchAgainAbove)
        return QString(); // too late in the row: let it run out
    QStringList fitting;
    for (const QString& word : playable) {
        if (fits(word, player.marks))
            fitting.append(word);
    }
    return fitting.isEmpty() ? QString()
                             : fitting.at(randomBelow(static_cast<int>(fitting.size())));
}

// Positions 2 to 5 marked "s" must hold the hidden word's letter.
bool ComputerPlayer::fits(const QString& word, const QString& marks) const {
    const QString& hidden = state_.hiddenword;
    for (int i = 1; i < marks.size() && i < game::kLetters; ++i) {
        if (marks.at(i) == u's' &&
            (i >= word.size() || i >= hidden.size() || word.at(i) != hidden.at(i)))
            return false;
    }
    return true;
}

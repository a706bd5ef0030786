#include "host/guess_judge.h"

#include "host/host_broadcast.h"
#include "host/referee.h"
#include "host/word_lists.h"
#include "net/game_messages.h"
#include "net/player_messages.h"

#include <array>

namespace {
QChar letterAt(const QString& word, int index) {
    return index < word.size() ? word.at(index).toUpper() : QChar();
}
} // namespace

QString lettermarks(const QString& guess, const QString& hidden) {
    std::array<QChar, game::kLetters> marks;
    marks.fill(QLatin1Char('x'));
    for (int i = 0; i < game::kLetters; ++i) {
        if (!letterAt(guess, i).isNull() && letterAt(guess, i) == letterAt(hidden, i))
            marks[i] = QLatin1Char('s');
    }
    // Marks changed earlier in this pass count for later letters, as do the "s"
    // marks set above, which this pass may itself turn into "c".
    for (int i = 0; i < game::kLetters; ++i) {
        const QChar letter = letterAt(guess, i);
        if (letter.isNull())
            continue;
        for (int j = 0; j < game::kLetters; ++j) {
            if (j != i && letter == letterAt(hidden, j) && marks[j] != QLatin1Char('s'))
                marks[i] = QLatin1Char('c');
        }
    }
    return QString(marks.data(), game::kLetters);
}

GuessJudge::GuessJudge(HostState& state, HostOutbox& outbox, WordLists& words, Referee& referee)
    : m_state(state), m_outbox(outbox), m_words(words), m_referee(referee) {}

void GuessJudge::myword(const QString& data) {
    const playermsg::MyWord word = playermsg::myword(data);
    const int slot = word.slot;
    if ((m_state.gamenine && slot != m_state.currentseat) || !m_state.wordopen)
        return;

    tplayer& guesser = m_state.player(slot);
    const QString guess = word.guess.toUpper();
    guesser.guess = guess;
    guesser.submitted = true;
    m_state.nextstarter = m_state.currentseat;

    sendToAllInUse(m_state, m_outbox, gamemsg::build::submitted(slot));
    if (guess.isEmpty())
        return;

    const int row = m_state.row;
    if (row >= 1 && row <= static_cast<int>(guesser.rowwords.size()))
        guesser.rowwords[static_cast<size_t>(row - 1)] = guess.left(game::kLetters);

    if (!m_words.isInDictionary(guess)) {
        reportToGuesserAndWatchers(slot, gamemsg::build::notvalid(slot, false, guess, row),
                                   gamemsg::build::notvalid(slot, true, guess, row));
        m_referee.processwords();
        return;
    }

    guesser.marks = lettermarks(guess, m_state.hiddenword);
    const QString shown = guess.left(game::kLetters);
    reportToGuesserAndWatchers(slot,
                               gamemsg::build::yourletters(slot, false, row, guesser.marks, shown),
                               gamemsg::build::yourletters(slot, true, row, guesser.marks, shown));

    if (guess == m_state.hiddenword)
        m_referee.itsguessed(slot);
    else
        m_referee.processwords();
}

// The guesser always sees its own result; in "nine" everyone else watches the
// one guessing seat, so they get the "+t+" copy.
void GuessJudge::reportToGuesserAndWatchers(int slot, const QString& ownCopy,
                                            const QString& othersCopy) {
    if (m_state.player(slot).inuse)
        m_outbox.sendTo(slot, ownCopy);
    if (m_state.gamenine)
        sendToOthersInUse(m_state, m_outbox, slot, othersCopy);
}

#include "host/guess_judge.h"

#include "host/host_broadcast.h"
#include "host/referee.h"
#include "host/word_lists.h"
#include "net/game_messages.h"
#include "net/player_messages.h"

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

    guesser.marks = lettermarks(guess, m_state.hiddenword, m_state.marksrule);
    const QString shown = guess.left(game::kLetters);
    m_state.judged.push_back({slot, shown, guesser.marks});
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

#include "host/guess_judge.h"

#include "host/host_broadcast.h"
#include "host/referee.h"
#include "host/word_lists.h"
#include "net/protocol.h"

namespace {
constexpr int kWordLength = 5;
} // namespace

GuessJudge::GuessJudge(HostState& state, HostOutbox& outbox, WordLists& words, Referee& referee)
    : m_state(state), m_outbox(outbox), m_words(words), m_referee(referee) {}

void GuessJudge::myword(const QString& data) {
    QString rest = data;
    const int slot = cutSlot(rest, kMaxConnections);
    if ((m_state.gamenine && slot != m_state.currentseat) || !m_state.wordopen)
        return;

    tplayer& guesser = m_state.player(slot);
    const QString guess = cutField(rest).toUpper();
    guesser.guess = guess;
    guesser.submitted = true;
    m_state.nextstarter = m_state.currentseat;

    sendToAllInUse(m_state, m_outbox, QStringLiteral("CMD_submitted+%1+").arg(slot));
    if (guess.isEmpty())
        return;

    const int row = m_state.row;
    if (row >= 1 && row <= static_cast<int>(guesser.rowwords.size()))
        guesser.rowwords[static_cast<size_t>(row - 1)] = guess.left(kWordLength);

    if (!m_words.isInDictionary(guess)) {
        const QString tail = u'+' + guess + u'+' + QString::number(row) + u'+';
        reportToGuesserAndWatchers(slot, QStringLiteral("CMD_notvalid+%1+f").arg(slot) + tail,
                                   QStringLiteral("CMD_notvalid+%1+t").arg(slot) + tail);
        m_referee.processwords();
        return;
    }

    guesser.marks = lettermarks(guess, m_state.hiddenword, m_state.marksrule);
    m_state.judged.push_back({slot, guess.left(kWordLength), guesser.marks});
    const QString tail =
        u'+' + QString::number(row) + u'+' + guesser.marks + u'+' + guess.left(kWordLength) + u'+';
    reportToGuesserAndWatchers(slot, QStringLiteral("CMD_yourletters+%1+f").arg(slot) + tail,
                               QStringLiteral("CMD_yourletters+%1+t").arg(slot) + tail);

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

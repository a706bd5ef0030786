#include "host/guess_judge.h"

#include "host/host_broadcast.h"
#include "host/referee.h"
#include "host/word_lists.h"
#include "net/game_messages.h"
#include "net/player_messages.h"

GuessJudge::GuessJudge(HostState& state, HostOutbox& outbox, WordLists& words, Referee& referee)
    : state_(state), outbox_(outbox), words_(words), referee_(referee) {}

void GuessJudge::myword(const QString& data) {
    const playermsg::MyWord word = playermsg::myword(data);
    const int slot = word.slot;
    if ((state_.gamenine && slot != state_.currentseat) || !state_.wordopen)
        return;

    tplayer& guesser = state_.player(slot);
    const QString guess = word.guess.toUpper();
    guesser.guess = guess;
    guesser.submitted = true;
    state_.nextstarter = state_.currentseat;

    sendToAllInUse(state_, outbox_, gamemsg::build::submitted(slot));
    if (guess.isEmpty())
        return;

    const int row = state_.row;
    if (row >= 1 && row <= static_cast<int>(guesser.rowwords.size()))
        guesser.rowwords[static_cast<size_t>(row - 1)] = guess.left(game::kLetters);

    if (!words_.isInDictionary(guess)) {
        reportToGuesserAndWatchers(slot, gamemsg::build::notvalid(slot, false, guess, row),
                                   gamemsg::build::notvalid(slot, true, guess, row));
        referee_.processwords();
        return;
    }

    guesser.marks = lettermarks(guess, state_.hiddenword, state_.marksrule);
    const QString shown = guess.left(game::kLetters);
    state_.judged.push_back({slot, shown, guesser.marks});
    reportToGuesserAndWatchers(slot,
                               gamemsg::build::yourletters(slot, false, row, guesser.marks, shown),
                               gamemsg::build::yourletters(slot, true, row, guesser.marks, shown));

    if (guess == state_.hiddenword)
        referee_.itsguessed(slot);
    else
        referee_.processwords();
}

// The guesser always sees its own result; in "nine" everyone else watches the
// one guessing seat, so they get the "+t+" copy.
void GuessJudge::reportToGuesserAndWatchers(int slot, const QString& ownCopy,
                                            const QString& othersCopy) {
    if (state_.player(slot).connected())
        outbox_.sendTo(slot, ownCopy);
    if (state_.gamenine)
        sendToOthersInUse(state_, outbox_, slot, othersCopy);
}

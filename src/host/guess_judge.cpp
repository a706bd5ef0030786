#include "host/guess_judge.h"

#include "host/host_broadcast.h"
#include "host/referee.h"
#include "host/word_lists.h"
#include "net/game_messages.h"

GuessJudge::GuessJudge(HostState& state, HostOutbox& outbox, WordLists& words, Referee& referee)
    : state_(state), outbox_(outbox), words_(words), referee_(referee) {}

void GuessJudge::judge(int slot, const QString& word) {
    if ((state_.playing(GameType::Nine) && slot != state_.currentseat) || !state_.wordopen)
        return;

    tplayer& guesser = state_.player(slot);
    const QString guess = word.toUpper();
    guesser.guess = guess;
    guesser.submitted = true;
    state_.nextstarter = state_.currentseat;

    sendToAllInUse(state_, outbox_, gamemsg::Submitted::build(slot));
    if (guess.isEmpty())
        return;

    const int row = state_.row;
    if (row >= 1 && row <= static_cast<int>(guesser.rowwords.size())) {
        guesser.rowwords[static_cast<size_t>(row - 1)] = guess.left(game::kLetters);
        guesser.stoodin[static_cast<size_t>(row - 1)] = guesser.away; // only Klot guesses then
    }

    if (!words_.isInDictionary(guess)) {
        reportToGuesserAndWatchers(slot, gamemsg::NotValid::build(slot, false, guess, row),
                                   gamemsg::NotValid::build(slot, true, guess, row));
        referee_.processwords();
        return;
    }

    const Marks marks = markLetters(guess, state_.hiddenword, state_.marksrule);
    guesser.marks = marks::text(marks);
    const QString shown = guess.left(game::kLetters);
    state_.judged.push_back({slot, shown, marks});
    reportToGuesserAndWatchers(slot, gamemsg::YourLetters::build(slot, false, row, marks, shown),
                               gamemsg::YourLetters::build(slot, true, row, marks, shown));

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
    if (state_.playing(GameType::Nine))
        sendToOthersInUse(state_, outbox_, slot, othersCopy);
}

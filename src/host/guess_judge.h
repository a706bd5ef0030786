#pragma once

#include "host/letter_marks.h"

#include <QString>

struct HostState;
class HostOutbox;
class Referee;
class WordLists;

// Judges guesses: a player's (CMD_myword, from the slot of its connection)
// and the computer player's alike.
class GuessJudge {
public:
    GuessJudge(HostState& state, HostOutbox& outbox, WordLists& words, Referee& referee);

    // Announces the guess, checks it against the dictionary, reports the
    // marks by the table's rule, keeps them for the word's record and hands
    // on to the referee. A guess out of turn or with no word open is ignored.
    void judge(int slot, const QString& word);

private:
    void reportToGuesserAndWatchers(int slot, const QString& ownCopy, const QString& othersCopy);

    HostState& state_;
    HostOutbox& outbox_;
    WordLists& words_;
    Referee& referee_;
};

#pragma once

#include "host/letter_marks.h"

#include <QString>

struct HostState;
class HostOutbox;
class Referee;
class WordLists;

// Judges guesses: the handler of CMD_myword, also called directly by the
// computer player with the same argument text ("seat+WORD+").
class GuessJudge {
public:
    GuessJudge(HostState& state, HostOutbox& outbox, WordLists& words, Referee& referee);

    // data: slot "+" guess "+". Announces the guess, checks it against the
    // dictionary, reports the marks by the table's rule, keeps them for the
    // word's record and hands on to the referee.
    void myword(const QString& data);

private:
    void reportToGuesserAndWatchers(int slot, const QString& ownCopy, const QString& othersCopy);

    HostState& state_;
    HostOutbox& outbox_;
    WordLists& words_;
    Referee& referee_;
};

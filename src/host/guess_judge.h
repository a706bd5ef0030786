#pragma once

#include <QString>

struct HostState;
class HostOutbox;
class Referee;
class WordLists;

// The five letter marks of a guess against the hidden word: "s" right letter in
// this place, "c" the letter stands at another place of the hidden word whose own
// mark is not "s", "x" neither. A right-place letter is marked "c" too when the
// same letter stands at another unmatched place, and letters are not counted.
QString lettermarks(const QString& guess, const QString& hidden);

// Judges guesses: the handler of CMD_myword, also called directly by the
// computer player with the same argument text ("seat+WORD+").
class GuessJudge {
public:
    GuessJudge(HostState& state, HostOutbox& outbox, WordLists& words, Referee& referee);

    // data: slot "+" guess "+". Announces the guess, checks it against the
    // dictionary, reports the marks and hands on to the referee.
    void myword(const QString& data);

private:
    void reportToGuesserAndWatchers(int slot, const QString& ownCopy, const QString& othersCopy);

    HostState& m_state;
    HostOutbox& m_outbox;
    WordLists& m_words;
    Referee& m_referee;
};

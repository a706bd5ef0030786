#pragma once

#include <QString>
#include <QStringList>

struct HostState;
class GuessJudge;
class HostClock;
class WordLists;

// "Klot", the computer player: sits in seat 2 when nobody does and stands in
// for a seat whose player is just watching. It guesses through the same
// handler as a client, after the one-shot delay of computertimer. At a table
// that plays it fair it solves from the marks alone (fair_guesser.h); otherwise
// it is given some of the hidden word's letters, as it always was.
class ComputerPlayer {
public:
    ComputerPlayer(HostState& state, HostClock& clock, WordLists& words, GuessJudge& judge);

    // The tick of computertimer: one guess for the seat the bot plays.
    void computertimerTimer();

    // Makes at most one guess for the seat; none when a person plays it or the
    // bot is switched off.
    void computerfindword(int seat);

private:
    void guess(int seat, const QString& word);
    QString pickWord(int seat) const;
    bool fits(const QString& word, const QString& marks) const;

    HostState& state_;
    HostClock& clock_;
    WordLists& words_;
    GuessJudge& judge_;
};

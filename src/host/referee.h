#pragma once

#include <QString>

namespace playermsg {
struct StartGame;
}
struct HostState;
class HostClock;
class HostOptions;
class HostOutbox;
class WordLists;

// The game flow and rules of the four game types ("high", "most", "nine",
// "race"): starting a game, words, turns, rows against turntimer, pauses,
// finds, scores and the end of a game.
class Referee {
public:
    Referee(HostState& state, HostOutbox& outbox, HostClock& clock, const HostOptions& options,
            WordLists& words);

    // Handler of CMD_startgame, its sender already checked: starts a game.
    void startgame(const playermsg::StartGame& start);

    void startround();
    void newword();
    void findplayer();
    // After every guess that is not a find and at every row's time-out.
    void processwords();
    // The tick of turntimer.
    void turntimerTimer();
    void itsguessed(int slot);
    bool checkforcantwin() const;
    void findwinner(int slot);

    // Restarts computertimer with the bot speed.
    void startComputerPlayer();

    // Call whenever a player logs in to a seat 1..5 or stops watching. In "nine",
    // when no seat could play the new word, the turn waits; this gives it to the
    // next playable seat and opens the row. Otherwise it does nothing.
    void seatBecamePlayable();

    // Call when the connection in a slot has left (after putting watchers back
    // into play). In "nine", if that slot had the turn while a row is open, the
    // word ends at once as unfound.
    void turnSeatLeft(int slot);

    // "nine" only: no seat can play, so no turn is given and no row runs.
    bool waitingForSeat() const { return waitingForSeat_; }

private:
    // As the game's messages name the seat: its player, or Klot.
    QString nameOf(int slot) const;
    static constexpr size_t kMaxRecordLines = 40;
    void keepOnRecord(const QString& line);
    bool isSeatPlayable(int seat) const;
    bool botMayStandIn(int seat) const;
    void announceTurn();
    void openRow();
    void startPause(int tag);
    int bestSeat() const;
    int pointsStillOpen() const;

    HostState& state_;
    HostOutbox& outbox_;
    HostClock& clock_;
    const HostOptions& options_;
    WordLists& words_;
    bool waitingForSeat_ = false;
};

#pragma once

#include "host/rejoin_keys.h"
#include "net/game_shape.h"

#include <QString>
#include <array>

struct HostState;
class HoldClock;
class HostConnections;
class HostOutbox;
class Referee;
class Seating;

// Seats kept for players whose connection dropped during a game, and the way
// back into them. A held seat stays taken, with its name, score, balls and
// rows; its turns are skipped as a watching player's are. Its player may come
// back on a new connection with the seat's rejoin key within the grace time;
// after that the departure happens as for anyone who leaves.
//
// Keys: every seated connection gets one at each game start, a seated
// newcomer during a game after its catch-up, a player back in its seat a new
// one. They matter only while a game runs: at its end the keys of connected
// players die, while held seats keep theirs until used or expired.
class SeatHolds {
public:
    SeatHolds(HostState& state, HostOutbox& outbox, HoldClock& clock, Referee& referee,
              Seating& seating, HostConnections& connections);

    // The connection in the slot has closed. True when its seat is now held:
    // a logged-in player in a seat, during a game, not removed by the host
    // player. Otherwise the caller runs the departure.
    bool holdOnClose(int slot);
    // The seat's grace timer has run out: the departure happens now.
    void graceOver(int seat);
    // The host player removes the seat's player: a held seat goes at once.
    // False when the seat is not held.
    bool releaseIfHeld(int seat);

    // CMD_rejoin from the slot's connection: judges the key for the
    // connection's coming log-in. A refusal is told at once. The key of a
    // seat whose connection still seems open opens it too: a drop without a
    // word from the network (a router restarting) goes unnoticed here for
    // minutes, while the player's program knows and tries again; that old
    // connection is closed and the seat held for the new one.
    void rejoin(int slot, const QString& key);
    // At the slot's CMD_logininfo: the held seat its connection takes, or 0
    // for a log-in as a new player (told so if it had asked for a seat that
    // is no longer held).
    int seatToTake(int slot);
    // The connection is in its held seat now: it is told which seat and how
    // things stand, the others that it is back.
    void welcomeBack(int seat);

    // A game has started: a key for every seated connection.
    void gameStarted();
    // The slot's connection has logged in as a new player.
    void loggedIn(int slot);
    // After each event: with no game running, connected players' keys die.
    void forgetKeysOutsideGames();
    // A new connection or a closed one has no verdict.
    void forgetVerdict(int slot) { verdict(slot) = kNoVerdict; }

private:
    static constexpr int kNoVerdict = 0;
    static constexpr int kRefused = -1;   // and told so
    static constexpr int kHoldEnded = -2; // to be told at the log-in

    void issueKey(int seat);
    void endHold(int seat);
    int& verdict(int slot) { return verdicts_[static_cast<size_t>(slot)]; }

    HostState& state_;
    HostOutbox& outbox_;
    HoldClock& clock_;
    Referee& referee_;
    Seating& seating_;
    HostConnections& connections_;
    RejoinKeys keys_;
    // Per connection slot: the held seat its key opened, or one of the above.
    std::array<int, game::kSlots + 1> verdicts_{};
};

#pragma once

#include "host/host_inbox.h"
#include "host/host_rules.h"
#include "host/host_state.h"
#include "host/rights_announcer.h"
#include "host/seat_holds.h"
#include "host/seating.h"
#include "host/word_lists.h"
#include "net/player_messages.h"
#include "net/protocol.h"

#include <QByteArray>

// The game host without its sockets and timers: the slot table and game
// state, the rules, the seating, and the message queue with its dispatcher.
// TServer feeds it what its sockets and timers report; tests feed it
// directly.
class HostSession {
public:
    HostSession(HostOutbox& outbox, HostClock& clock, HoldClock& holdClock,
                const HostOptions& options, HostConnections& connections, WordLists words);

    // Connections. chooseSlot gives 0 when all nine slots are taken.
    int chooseSlot() const { return seating_.chooseSlot(); }
    void connectionAccepted(int slot);
    // A seated player's connection that closes during a game holds the seat
    // (seat_holds.h); any other close is a departure.
    void connectionClosed(int slot);
    // False when the connection broke a limit and must be closed.
    bool received(int slot, const QByteArray& bytes);

    // The table closes on purpose: every connection hears so before it goes.
    void closeTable();

    // Timer ticks.
    // The queued messages in turn, up to HostInbox::kTakenPerTick from each
    // connection; false when none was handled (none waited, or only empty ones).
    bool socktimerTimer();
    // The first waiting message of the numbered connection in the slot, out
    // of turn: for a message that found its connection's line empty.
    void serveAtOnce(int slot, quint64 connection);
    void turntimerTimer();
    void computertimerTimer();
    void holdTimerTimer(int seat);

    HostState& state() { return state_; }
    const HostState& state() const { return state_; }
    const HostInbox& inbox() const { return inbox_; }

private:
    void route();
    void logIn(const playermsg::LoginInfo& login);
    void kick(int slot);
    void dispatch(QueuedMessage message);
    // After each event: keys that died, rights that passed.
    void afterEvent();

    HostOutbox& outbox_;
    HostState state_;
    WordLists words_;
    HostRules rules_;
    Seating seating_;
    SeatHolds holds_;
    RightsAnnouncer rights_;
    HostInbox inbox_;
    MessageDispatcher dispatcher_;
    int sender_ = 0; // slot of the message being handled
};

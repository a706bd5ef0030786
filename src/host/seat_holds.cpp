#include "host/seat_holds.h"

#include "host/host_broadcast.h"
#include "host/host_ports.h"
#include "host/host_state.h"
#include "host/login_messages.h"
#include "host/referee.h"
#include "host/seat_catch_up.h"
#include "host/seating.h"
#include "net/game_messages.h"
#include "net/rejoin_messages.h"

#include <cmath>

namespace {

QString graceText(int milliseconds) {
    const int seconds = static_cast<int>(std::lround(milliseconds / 1000.0));
    return seconds == 1 ? QStringLiteral("1 second") : QStringLiteral("%1 seconds").arg(seconds);
}

} // namespace

SeatHolds::SeatHolds(HostState& state, HostOutbox& outbox, HoldClock& clock, Referee& referee,
                     Seating& seating, HostConnections& connections)
    : state_(state), outbox_(outbox), clock_(clock), referee_(referee), seating_(seating),
      connections_(connections) {}

bool SeatHolds::holdOnClose(int slot) {
    if (!HostState::validSlot(slot))
        return false;
    forgetVerdict(slot);
    if (slot > game::kSeats)
        return false;
    tplayer& player = state_.player(slot);
    if (!state_.gameon || !player.connected() || !player.loggedin || player.removed) {
        keys_.revoke(slot); // the player leaves, and the key with it
        return false;
    }
    player.away = true;
    player.awayfrom = state_.record.size();
    clock_.startHoldTimer(slot);
    sendToAllInUse(state_, outbox_, rejoinmsg::PlayerAway::build(slot, true));
    sendToAllInUse(state_, outbox_,
                   gamemsg::Chat::systemLine(player.name +
                                             QStringLiteral(" lost the connection. The seat is "
                                                            "kept for ") +
                                             graceText(clock_.graceMs()) + u'.'));
    // Skipped from now on as a watcher is: in "nine" Klot may take the rest of
    // its turn, elsewhere the row need not wait for its guess.
    if (state_.playing(GameType::Nine)) {
        if (slot == state_.currentseat && state_.wordopen)
            referee_.startComputerPlayer();
    } else if (state_.wordopen && state_.turntag == TagRowOpen) {
        referee_.processwords();
    }
    return true;
}

void SeatHolds::graceOver(int seat) {
    releaseIfHeld(seat);
}

bool SeatHolds::releaseIfHeld(int seat) {
    if (seat < 1 || seat > game::kSeats || !state_.player(seat).away)
        return false;
    endHold(seat);
    seating_.playerLeft(seat);
    return true;
}

void SeatHolds::endHold(int seat) {
    clock_.stopHoldTimer(seat);
    keys_.revoke(seat);
    for (int& opened : verdicts_) {
        if (opened == seat)
            opened = kHoldEnded;
    }
}

void SeatHolds::rejoin(int slot, const QString& key) {
    // One try per connection, and only before it has logged in.
    if (state_.player(slot).loggedin || verdict(slot) != kNoVerdict)
        return;
    const int seat = keys_.redeem(key);
    if (seat != 0 && seat != slot && state_.player(seat).connected() &&
        state_.player(seat).loggedin)
        connections_.disconnectsock(seat); // its close report holds the seat
    if (seat != 0 && state_.player(seat).away) {
        verdict(slot) = seat;
        return;
    }
    verdict(slot) = kRefused;
    outbox_.sendTo(slot, rejoinmsg::RejoinRefused::build());
}

int SeatHolds::seatToTake(int slot) {
    const int opened = verdict(slot);
    forgetVerdict(slot);
    if (opened > 0 && state_.player(opened).away)
        return opened;
    if (opened != kNoVerdict && opened != kRefused) // the hold ended after the key was judged
        outbox_.sendTo(slot, rejoinmsg::RejoinRefused::build());
    return 0;
}

void SeatHolds::welcomeBack(int seat) {
    tplayer& player = state_.player(seat);
    endHold(seat);
    player.away = false;
    outbox_.sendTo(seat, rejoinmsg::Rejoined::build(seat));
    outbox_.sendTo(seat, loginmessages::existingPlayers(state_, 0));
    QStringList catchUp = loginmessages::awaySeats(state_);
    catchUp += loginmessages::gameState(state_, seat);
    catchUp += seatcatchup::currentRows(state_, seat);
    catchUp += seatcatchup::standIns(state_, seat);
    catchUp += seatcatchup::turn(state_, seat);
    catchUp += seatcatchup::whileAway(state_, seat);
    for (const QString& message : catchUp)
        outbox_.sendTo(seat, message);
    if (state_.gameon)
        issueKey(seat);

    sendToOthersInUse(state_, outbox_, seat, rejoinmsg::PlayerAway::build(seat, false));
    sendToOthersInUse(state_, outbox_, seat,
                      gamemsg::Chat::systemLine(player.name + QStringLiteral(" is back.")));
    if (!player.watching)
        referee_.seatBecamePlayable();
}

void SeatHolds::gameStarted() {
    for (int seat = 1; seat <= game::kSeats; ++seat) {
        tplayer& player = state_.player(seat);
        player.awayfrom = 0; // the new game's record is all news to a held seat
        if (player.connected() && player.loggedin)
            issueKey(seat);
    }
}

void SeatHolds::loggedIn(int slot) {
    const tplayer& player = state_.player(slot);
    if (state_.gameon && slot <= game::kSeats && player.connected() && player.loggedin)
        issueKey(slot);
}

void SeatHolds::forgetKeysOutsideGames() {
    if (state_.gameon)
        return;
    for (int seat = 1; seat <= game::kSeats; ++seat) {
        if (!state_.player(seat).away)
            keys_.revoke(seat);
    }
}

void SeatHolds::issueKey(int seat) {
    outbox_.sendTo(seat, rejoinmsg::RejoinKey::build(keys_.issue(seat)));
}

#include "host/seating.h"

#include "common/version.h"
#include "host/host_broadcast.h"
#include "host/host_state.h"
#include "host/login_messages.h"
#include "host/referee.h"
#include "host/sender_identity.h"
#include "net/game_messages.h"
#include "net/player_text.h"

#include <utility>

Seating::Seating(HostState& state, HostOutbox& outbox, Referee& referee,
                 HostConnections& connections)
    : state_(state), outbox_(outbox), referee_(referee), connections_(connections) {}

int Seating::chooseSlot() const {
    for (int slot = 1; slot <= state_.slotcount; ++slot) {
        if (!state_.player(slot).inuse)
            return slot;
    }
    return state_.slotcount < game::kSlots ? state_.slotcount + 1 : 0;
}

void Seating::seat(int slot) {
    if (!HostState::validSlot(slot))
        return;
    state_.slotcount = std::max(state_.slotcount, slot);
    state_.player(slot).inuse = true;
    outbox_.sendTo(slot, gamemsg::SendLoginInfo::build(slot));
}

void Seating::receivedlogininfo(const playermsg::LoginInfo& login) {
    const int slot = login.slot;
    tplayer& newcomer = state_.player(slot);
    if (!newcomer.inuse)
        return; // its connection has gone: a log-in must not bring the slot back
    newcomer.name = playertext::nameForSlot(login.name, slot);
    newcomer.loggedin = true;
    if (newcomer.loginorder == 0) // a second log-in on the same connection is no newcomer
        newcomer.loginorder = ++state_.logins;

    sendToAllInUse(state_, outbox_, gamemsg::NewPlayerInfo::build(slot, newcomer.name));
    const QString existing = loginmessages::existingPlayers(state_, slot);
    if (!existing.isEmpty())
        outbox_.sendTo(slot, existing);
    for (const QString& message : loginmessages::awaySeats(state_))
        outbox_.sendTo(slot, message);
    if (login.version != QLatin1String(kLudomyraVersion)) {
        const int hostPlayer = senderidentity::hostPlayerSlot(state_);
        if (hostPlayer != 0 && state_.player(hostPlayer).connected())
            outbox_.sendTo(hostPlayer, gamemsg::HaveWrongVersion::build(newcomer.name));
        outbox_.sendTo(slot, gamemsg::WrongVersion::build());
    }
    for (const QString& message : loginmessages::gameState(state_, slot))
        outbox_.sendTo(slot, message);
    if (slot <= game::kSeats)
        referee_.seatBecamePlayable();
}

void Seating::kickhim(int slot) {
    // Its own departure, just before the close, tells the removed player why
    // the table is gone; the message is one every client knows.
    tplayer& removed = state_.player(slot);
    if (!removed.connected())
        return;
    outbox_.sendTo(slot, gamemsg::PlayerDisconnected::build(slot, removed.name));
    removed.removed = true; // its seat is not held for it
    connections_.disconnectsock(slot);
}

void Seating::chat(const playermsg::Chat& line) {
    relay(line, gamemsg::Chat::build);
}

void Seating::action(const playermsg::Action& line) {
    relay(line, gamemsg::Action::build);
}

// The text after the slot is passed on untouched: it may hold "+".
void Seating::relay(const playermsg::Relayed& line, RelayedForm form) {
    sendToAllInUse(state_, outbox_, form(line.slot, state_.player(line.slot).name, line.text));
}

void Seating::playasound(const playermsg::PlayASound& sound) {
    sendToAllInUse(state_, outbox_, gamemsg::PlayASound::build(sound.slot, sound.text));
}

void Seating::justwatch(const playermsg::JustWatch& request) {
    const auto [seat, watch] = request;
    if (!watch) {
        setWatching(seat, false);
        if (seat <= game::kSeats)
            referee_.seatBecamePlayable();
    } else {
        setWatching(seat, true);
        if (state_.playing(GameType::Nine) && seat == state_.currentseat)
            referee_.startComputerPlayer(); // it may take the rest of this turn
    }
}

void Seating::setWatching(int seat, bool watching) {
    state_.player(seat).watching = watching;
    sendToAllInUse(state_, outbox_, gamemsg::JustWatching::build(seat, watching));
}

void Seating::playerLeft(int slot) {
    if (!HostState::validSlot(slot))
        return;
    tplayer& leaver = state_.player(slot);
    if (!leaver.inuse)
        return;
    // A connection that never logged in was never announced: told of its
    // going, a window would name whoever it shows in that seat (Klot).
    if (leaver.loggedin)
        sendToOthersInUse(state_, outbox_, slot,
                          gamemsg::PlayerDisconnected::build(slot, leaver.name));
    freeSlot(leaver);

    // Slot 1 included: under --serve it is an ordinary remote player, and a
    // hosting program that loses its own client ends anyway.
    if (state_.playing(GameType::Nine)) {
        putWatchersBackIfNobodyPlays();
        referee_.turnSeatLeft(slot);
    }
}

void Seating::moveConnection(int from, int seat) {
    tplayer& arriving = state_.player(from);
    state_.player(seat).sock = std::exchange(arriving.sock, nullptr);
    freeSlot(arriving);
}

void Seating::freeSlot(tplayer& player) {
    player.inuse = false;
    player.loggedin = false;
    player.loginorder = 0;
    player.name.clear();
    // A newcomer in this slot starts out playing, not skipped as a watcher.
    player.watching = false;
    player.away = false;
    player.removed = false;
}

// In "nine" a table of watchers alone would never take a turn.
void Seating::putWatchersBackIfNobodyPlays() {
    for (int seat = 1; seat <= game::kSeats; ++seat) {
        if (state_.player(seat).plays())
            return;
    }
    bool anyBack = false;
    for (int seat = 1; seat <= game::kSeats; ++seat) {
        const tplayer& player = state_.player(seat);
        if (player.connected() && player.watching) {
            setWatching(seat, false);
            anyBack = true;
        }
    }
    if (anyBack)
        referee_.seatBecamePlayable();
}

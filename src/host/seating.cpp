#include "host/seating.h"

#include "common/version.h"
#include "host/host_broadcast.h"
#include "host/host_state.h"
#include "host/login_messages.h"
#include "host/referee.h"
#include "host/sender_identity.h"
#include "net/game_messages.h"
#include "net/player_messages.h"
#include "net/player_text.h"

Seating::Seating(HostState& state, HostOutbox& outbox, Referee& referee,
                 HostConnections& connections)
    : m_state(state), m_outbox(outbox), m_referee(referee), m_connections(connections) {}

int Seating::chooseSlot() const {
    for (int slot = 1; slot <= m_state.slotcount; ++slot) {
        if (!m_state.player(slot).inuse)
            return slot;
    }
    return m_state.slotcount < game::kSlots ? m_state.slotcount + 1 : 0;
}

void Seating::seat(int slot) {
    if (!HostState::validSlot(slot))
        return;
    m_state.slotcount = std::max(m_state.slotcount, slot);
    m_state.player(slot).inuse = true;
    m_outbox.sendTo(slot, gamemsg::build::sendlogininfo(slot));
}

void Seating::receivedlogininfo(const QString& data) {
    const playermsg::LoginInfo login = playermsg::logininfo(data);
    const int slot = login.slot;
    tplayer& newcomer = m_state.player(slot);
    if (!newcomer.inuse)
        return; // its connection has gone: a log-in must not bring the slot back
    newcomer.name = playertext::nameForSlot(login.name, slot);
    newcomer.loggedin = true;

    sendToAllInUse(m_state, m_outbox, gamemsg::build::newplayerinfo(slot, newcomer.name));
    const QString existing = loginmessages::existingPlayers(m_state, slot);
    if (!existing.isEmpty())
        m_outbox.sendTo(slot, existing);
    if (login.version != QLatin1String(kLudomyraVersion)) {
        const int hostPlayer = senderidentity::hostPlayerSlot(m_state);
        if (hostPlayer != 0 && m_state.player(hostPlayer).inuse)
            m_outbox.sendTo(hostPlayer, gamemsg::build::havewrongversion(newcomer.name));
        m_outbox.sendTo(slot, gamemsg::build::wrongversion());
    }
    for (const QString& message : loginmessages::gameState(m_state, slot))
        m_outbox.sendTo(slot, message);
    if (slot <= game::kSeats)
        m_referee.seatBecamePlayable();
}

void Seating::kickhim(const QString& data) {
    const playermsg::KickHim kick = playermsg::kickhim(data);
    // Its own departure, just before the close, tells the removed player why
    // the table is gone; the message is one every client knows.
    const tplayer& removed = m_state.player(kick.slot);
    if (removed.inuse)
        m_outbox.sendTo(kick.slot, gamemsg::build::playerdisconnected(kick.slot, removed.name));
    m_connections.disconnectsock(kick.slot);
}

void Seating::chat(const QString& data) {
    relay(data, gamemsg::build::chat);
}

void Seating::action(const QString& data) {
    relay(data, gamemsg::build::action);
}

// The text after the slot is passed on untouched: it may hold "+".
void Seating::relay(const QString& data, RelayedForm form) {
    const playermsg::Relayed line = playermsg::relayed(data);
    sendToAllInUse(m_state, m_outbox, form(line.slot, m_state.player(line.slot).name, line.text));
}

void Seating::playasound(const QString& data) {
    const playermsg::Relayed sound = playermsg::relayed(data);
    sendToAllInUse(m_state, m_outbox, gamemsg::build::playasound(sound.slot, sound.text));
}

void Seating::justwatch(const QString& data) {
    const auto [seat, watch] = playermsg::justwatch(data);
    if (!watch) {
        setWatching(seat, false);
        if (seat <= game::kSeats)
            m_referee.seatBecamePlayable();
    } else {
        setWatching(seat, true);
        if (m_state.gamenine && seat == m_state.currentseat)
            m_referee.startComputerPlayer(); // it may take the rest of this turn
    }
}

void Seating::setWatching(int seat, bool watching) {
    m_state.player(seat).watching = watching;
    sendToAllInUse(m_state, m_outbox, gamemsg::build::justwatching(seat, watching));
}

void Seating::playerLeft(int slot) {
    if (!HostState::validSlot(slot))
        return;
    tplayer& leaver = m_state.player(slot);
    if (!leaver.inuse)
        return;
    sendToOthersInUse(m_state, m_outbox, slot,
                      gamemsg::build::playerdisconnected(slot, leaver.name));
    leaver.inuse = false;
    leaver.loggedin = false;
    leaver.name.clear();
    // A newcomer in this slot starts out playing, not skipped as a watcher.
    leaver.watching = false;

    // Slot 1 included: under --serve it is an ordinary remote player, and a
    // hosting program that loses its own client ends anyway.
    if (m_state.gamenine) {
        putWatchersBackIfNobodyPlays();
        m_referee.turnSeatLeft(slot);
    }
}

// In "nine" a table of watchers alone would never take a turn.
void Seating::putWatchersBackIfNobodyPlays() {
    for (int seat = 1; seat <= game::kSeats; ++seat) {
        const tplayer& player = m_state.player(seat);
        if (player.inuse && !player.watching)
            return;
    }
    bool anyBack = false;
    for (int seat = 1; seat <= game::kSeats; ++seat) {
        const tplayer& player = m_state.player(seat);
        if (player.inuse && player.watching) {
            setWatching(seat, false);
            anyBack = true;
        }
    }
    if (anyBack)
        m_referee.seatBecamePlayable();
}

#include "host/seating.h"

#include "common/version.h"
#include "host/host_broadcast.h"
#include "host/host_state.h"
#include "host/login_messages.h"
#include "host/referee.h"
#include "net/protocol.h"

namespace {
QString number(int value) {
    return QString::number(value);
}

// A slot field of a client message; out of the table it ends the message.
int cutConnectionSlot(QString& args) {
    return cutSlot(args, game::kSlots);
}
} // namespace

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
    m_outbox.sendTo(slot, QStringLiteral("CMD_sendlogininfo+") + number(slot));
}

void Seating::receivedlogininfo(const QString& data) {
    QString args = data;
    const int slot = cutConnectionSlot(args);
    const QString version = cutField(args);
    tplayer& newcomer = m_state.player(slot);
    if (!newcomer.inuse)
        return; // its connection has gone: a log-in must not bring the slot back
    newcomer.name = cleanName(args);
    newcomer.loggedin = true;

    sendToAllInUse(m_state, m_outbox,
                   QStringLiteral("CMD_newplayerinfo+") + number(slot) + u'+' + newcomer.name +
                       QStringLiteral("+0"));
    const QString existing = loginmessages::existingPlayers(m_state, slot);
    if (!existing.isEmpty())
        m_outbox.sendTo(slot, existing);
    if (version != QLatin1String(kLudomyraVersion)) {
        if (m_state.player(game::kHostPlayerSlot).inuse)
            m_outbox.sendTo(game::kHostPlayerSlot,
                            QStringLiteral("CMD_havewrongversion+") + newcomer.name);
        m_outbox.sendTo(slot, QStringLiteral("CMD_wrongversion+"));
    }
    for (const QString& message : loginmessages::gameState(m_state, slot))
        m_outbox.sendTo(slot, message);
    if (slot <= game::kSeats)
        m_referee.seatBecamePlayable();
}

void Seating::kickhim(const QString& data) {
    QString args = data;
    if (cutField(args) != QString::number(game::kHostPlayerSlot))
        return;
    m_connections.disconnectsock(cutConnectionSlot(args));
}

void Seating::chat(const QString& data) {
    relay(data, QStringLiteral("CMD_chat+"), QStringLiteral(" chats: "));
}

void Seating::action(const QString& data) {
    relay(data, QStringLiteral("CMD_action+"), QStringLiteral(" "));
}

// The text after the slot is passed on untouched: it may hold "+".
void Seating::relay(const QString& data, const QString& command, const QString& between) {
    QString text = data;
    const int slot = cutConnectionSlot(text);
    sendToAllInUse(m_state, m_outbox,
                   command + number(slot) + u'+' + m_state.player(slot).name + between + text);
}

void Seating::playasound(const QString& data) {
    QString rest = data;
    const int slot = cutConnectionSlot(rest);
    sendToAllInUse(m_state, m_outbox,
                   QStringLiteral("CMD_playasound+") + number(slot) + u'+' + rest);
}

void Seating::justwatch(const QString& data) {
    QString flag = data;
    const int seat = cutConnectionSlot(flag);
    if (flag == QLatin1String("2")) {
        setWatching(seat, false);
        if (seat <= game::kSeats)
            m_referee.seatBecamePlayable();
    } else if (flag == QLatin1String("1")) {
        setWatching(seat, true);
        if (m_state.gamenine && seat == m_state.currentseat)
            m_referee.startComputerPlayer(); // it may take the rest of this turn
    }
}

void Seating::setWatching(int seat, bool watching) {
    m_state.player(seat).watching = watching;
    sendToAllInUse(m_state, m_outbox,
                   QStringLiteral("CMD_justwatching+") + number(seat) + (watching ? "+1" : "+2"));
}

void Seating::playerLeft(int slot) {
    if (!HostState::validSlot(slot))
        return;
    tplayer& leaver = m_state.player(slot);
    if (!leaver.inuse)
        return;
    sendToOthersInUse(m_state, m_outbox, slot,
                      QStringLiteral("CMD_playerdisconnected+") + number(slot) + u'+' +
                          leaver.name);
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

QString Seating::cleanName(const QString& name) {
    QString clean = name;
    clean.replace(u'+', u'-');
    if (clean.size() > kMaxNameLength) {
        clean.truncate(kMaxNameLength);
        if (clean.back().isHighSurrogate())
            clean.chop(1); // never half a character
    }
    return clean;
}

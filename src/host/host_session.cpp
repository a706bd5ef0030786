#include "host/host_session.h"

#include "host/sender_identity.h"
#include "net/commands.h"

#include <QStringList>

HostSession::HostSession(HostOutbox& outbox, HostClock& clock, const HostOptions& options,
                         HostConnections& connections, WordLists words)
    : m_words(std::move(words)), m_rules(m_state, outbox, clock, options, m_words),
      m_seating(m_state, outbox, m_rules.referee, connections) {
    m_state.player(game::kBotSeat).defaultname = QString::fromLatin1(game::kBotName);

    using namespace senderidentity;
    const Gate hostPlayerOnly = [this](const QString&, int sender) {
        return isHostPlayer(m_state, sender);
    };
    // The removal names its sender too, and that must be the host player.
    const Gate hostPlayerNamed = [this](const QString& args, int sender) {
        return namesSender(args, sender) && isHostPlayer(m_state, sender);
    };
    const Gate justWatch = [this](const QString& args, int sender) {
        return mayJustWatch(m_state, args, sender);
    };
    handle(cmd::logininfo, namesSender, [this](auto& args) { m_seating.receivedlogininfo(args); });
    handle(cmd::kickhim, hostPlayerNamed, [this](auto& args) { m_seating.kickhim(args); });
    handle(cmd::chat, namesSender, [this](auto& args) { m_seating.chat(args); });
    handle(cmd::action, namesSender, [this](auto& args) { m_seating.action(args); });
    handle(cmd::startgame, hostPlayerOnly, [this](auto& args) { m_rules.referee.startgame(args); });
    handle(cmd::justwatch, justWatch, [this](auto& args) { m_seating.justwatch(args); });
    handle(cmd::myword, namesSender, [this](auto& args) { m_rules.judge.myword(args); });
    handle(cmd::playasound, namesSender, [this](auto& args) { m_seating.playasound(args); });
}

// Messages that their connection may not send are dropped without a reply.
void HostSession::handle(const char* commandWord, Gate mayHandle,
                         MessageDispatcher::Handler handler) {
    m_dispatcher.on(QString::fromLatin1(commandWord),
                    [this, mayHandle, handler = std::move(handler)](const QString& args) {
                        if (mayHandle(args, m_sender))
                            handler(args);
                    });
}

void HostSession::connectionAccepted(int slot) {
    m_inbox.connectionOpened(slot);
    m_seating.seat(slot);
}

void HostSession::connectionClosed(int slot) {
    m_inbox.connectionClosed(slot);
    m_seating.playerLeft(slot);
}

bool HostSession::received(int slot, const QByteArray& bytes) {
    if (!HostState::validSlot(slot) || !m_state.player(slot).inuse)
        return true;
    return m_inbox.receive(slot, bytes);
}

bool HostSession::socktimerTimer() {
    std::optional<QueuedMessage> next = m_inbox.takeNext();
    if (!next || next->text.isEmpty())
        return false;
    m_sender = next->slot;
    QStringList entry{std::move(next->text)};
    m_dispatcher.dispatchOne(entry);
    m_sender = 0;
    return true;
}

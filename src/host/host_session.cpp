#include "host/host_session.h"

#include "host/sender_identity.h"
#include "net/commands.h"

#include <QStringList>

HostSession::HostSession(HostOutbox& outbox, HostClock& clock, const HostOptions& options,
                         HostConnections& connections, WordLists words)
    : words_(std::move(words)), rules_(state_, outbox, clock, options, words_),
      seating_(state_, outbox, rules_.referee, connections) {
    state_.player(game::kBotSeat).defaultname = QString::fromLatin1(game::kBotName);

    using namespace senderidentity;
    const Gate hostPlayerOnly = [this](const QString&, int sender) {
        return isHostPlayer(state_, sender);
    };
    // The removal names its sender too, and that must be the host player.
    const Gate hostPlayerNamed = [this](const QString& args, int sender) {
        return namesSender(args, sender) && isHostPlayer(state_, sender);
    };
    const Gate justWatch = [this](const QString& args, int sender) {
        return mayJustWatch(state_, args, sender);
    };
    handle(cmd::logininfo, namesSender, [this](auto& args) { seating_.receivedlogininfo(args); });
    handle(cmd::kickhim, hostPlayerNamed, [this](auto& args) { seating_.kickhim(args); });
    handle(cmd::chat, namesSender, [this](auto& args) { seating_.chat(args); });
    handle(cmd::action, namesSender, [this](auto& args) { seating_.action(args); });
    handle(cmd::startgame, hostPlayerOnly, [this](auto& args) { rules_.referee.startgame(args); });
    handle(cmd::justwatch, justWatch, [this](auto& args) { seating_.justwatch(args); });
    handle(cmd::myword, namesSender, [this](auto& args) { rules_.judge.myword(args); });
    handle(cmd::playasound, namesSender, [this](auto& args) { seating_.playasound(args); });
}

// Messages that their connection may not send are dropped without a reply.
void HostSession::handle(const char* commandWord, Gate mayHandle,
                         MessageDispatcher::Handler handler) {
    dispatcher_.on(QString::fromLatin1(commandWord),
                   [this, mayHandle, handler = std::move(handler)](const QString& args) {
                       if (mayHandle(args, sender_))
                           handler(args);
                   });
}

void HostSession::connectionAccepted(int slot) {
    inbox_.connectionOpened(slot);
    seating_.seat(slot);
}

void HostSession::connectionClosed(int slot) {
    inbox_.connectionClosed(slot);
    seating_.playerLeft(slot);
}

bool HostSession::received(int slot, const QByteArray& bytes) {
    if (!HostState::validSlot(slot) || !state_.player(slot).inuse)
        return true;
    return inbox_.receive(slot, bytes);
}

bool HostSession::socktimerTimer() {
    std::optional<QueuedMessage> next = inbox_.takeNext();
    if (!next || next->text.isEmpty())
        return false;
    sender_ = next->slot;
    QStringList entry{std::move(next->text)};
    dispatcher_.dispatchOne(entry);
    sender_ = 0;
    return true;
}

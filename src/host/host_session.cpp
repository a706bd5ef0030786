#include "host/host_session.h"

#include "host/sender_identity.h"
#include "net/commands.h"
#include "net/player_messages.h"

#include <QStringList>

HostSession::HostSession(HostOutbox& outbox, HostClock& clock, HoldClock& holdClock,
                         const HostOptions& options, HostConnections& connections, WordLists words)
    : words_(std::move(words)), rules_(state_, outbox, clock, options, words_),
      seating_(state_, outbox, rules_.referee, connections),
      holds_(state_, outbox, holdClock, rules_.referee, seating_, connections),
      rights_(state_, outbox) {
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
    handle(cmd::logininfo, namesSender, [this](auto& args) { logIn(args); });
    handle(cmd::rejoin, namesSender, [this](auto& args) { holds_.rejoin(sender_, args); });
    handle(cmd::kickhim, hostPlayerNamed, [this](auto& args) { kick(args); });
    handle(cmd::chat, namesSender, [this](auto& args) { seating_.chat(args); });
    handle(cmd::action, namesSender, [this](auto& args) { seating_.action(args); });
    handle(cmd::startgame, hostPlayerOnly, [this](auto& args) {
        if (rules_.referee.startgame(args))
            holds_.gameStarted();
    });
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

// A connection with a rejoin key that opens a held seat moves into it at its
// log-in; any other logs in as a new player. A newcomer hears who holds the
// rights before its own arrival, so that its window never shows Start Game
// on a guess; one back in its seat after the catch-up, which lays the seats
// anew. It keeps its place in the log-in order: a dropped connection is no
// departure, and the rights come back with it.
void HostSession::logIn(const QString& args) {
    playermsg::logininfo(args); // a malformed log-in changes nothing
    const int seat = holds_.seatToTake(sender_);
    if (seat == 0) {
        rights_.welcome(sender_);
        seating_.receivedlogininfo(args);
        holds_.loggedIn(sender_);
        return;
    }
    inbox_.connectionMoved(sender_, seat);
    seating_.moveConnection(sender_, seat);
    holds_.welcomeBack(seat);
    if (!rights_.announceIfPassed())
        rights_.tell(seat);
}

void HostSession::kick(const QString& args) {
    if (!holds_.releaseIfHeld(playermsg::kickhim(args).slot))
        seating_.kickhim(args);
}

void HostSession::connectionAccepted(int slot) {
    inbox_.connectionOpened(slot);
    holds_.forgetVerdict(slot);
    seating_.seat(slot);
}

void HostSession::connectionClosed(int slot) {
    if (!HostState::validSlot(slot) || state_.player(slot).away)
        return; // a held seat has no connection to lose
    inbox_.connectionClosed(slot);
    if (!holds_.holdOnClose(slot))
        seating_.playerLeft(slot);
    afterEvent();
}

void HostSession::turntimerTimer() {
    rules_.referee.turntimerTimer();
    afterEvent();
}

void HostSession::computertimerTimer() {
    rules_.bot.computertimerTimer();
    afterEvent();
}

void HostSession::holdTimerTimer(int seat) {
    holds_.graceOver(seat);
    afterEvent();
}

void HostSession::afterEvent() {
    holds_.forgetKeysOutsideGames();
    rights_.announceIfPassed();
}

bool HostSession::received(int slot, const QByteArray& bytes) {
    if (!HostState::validSlot(slot) || !state_.player(slot).inuse)
        return true;
    if (inbox_.receive(slot, bytes))
        return true;
    // Cut for breaking a limit: a peer that floods is not held a seat.
    state_.player(slot).removed = true;
    return false;
}

bool HostSession::socktimerTimer() {
    inbox_.newTick();
    bool handled = false;
    while (std::optional<QueuedMessage> next = inbox_.takeNext()) {
        if (next->text.isEmpty())
            continue;
        dispatch(std::move(*next));
        handled = true;
    }
    return handled;
}

void HostSession::serveAtOnce(int slot, quint64 connection) {
    std::optional<QueuedMessage> next = inbox_.takeFrom(slot, connection);
    if (next && !next->text.isEmpty())
        dispatch(std::move(*next));
}

void HostSession::dispatch(QueuedMessage message) {
    sender_ = message.slot;
    QStringList entry{std::move(message.text)};
    dispatcher_.dispatchOne(entry);
    sender_ = 0;
    afterEvent();
}

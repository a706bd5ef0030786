#include "host/host_session.h"

#include "host/host_broadcast.h"
#include "host/sender_identity.h"
#include "net/message_routes.h"

#include <QStringList>

HostSession::HostSession(HostOutbox& outbox, HostClock& clock, HoldClock& holdClock,
                         const HostOptions& options, HostConnections& connections, WordLists words)
    : outbox_(outbox), words_(std::move(words)), rules_(state_, outbox, clock, options, words_),
      seating_(state_, outbox, rules_.referee, connections),
      holds_(state_, outbox, holdClock, rules_.referee, seating_, connections),
      rights_(state_, outbox) {
    state_.player(game::kBotSeat).defaultname = QString::fromLatin1(game::kBotName);

    route();
}

void HostSession::closeTable() {
    sendToAllInUse(state_, outbox_, gamemsg::Goodbye::build());
}

// Each command has its gate: a message that its connection may not send is
// dropped without a reply. The sender is the slot of the delivering connection.
void HostSession::route() {
    using namespace senderidentity;
    routeEvery(dispatcher_, ToHost{},
               Routes{
                   [this](const playermsg::LoginInfo& login) {
                       if (namesSender(login.slot, sender_))
                           logIn(login);
                   },
                   [this](const rejoinmsg::Rejoin& rejoin) {
                       if (namesSender(rejoin.slot, sender_))
                           holds_.rejoin(sender_, rejoin.key);
                   },
                   // The removal names its sender too, and that must be the host player.
                   [this](const playermsg::KickHim& removal) {
                       if (namesSender(removal.sender, sender_) && isHostPlayer(state_, sender_))
                           kick(removal.slot);
                   },
                   [this](const playermsg::Chat& line) {
                       if (namesSender(line.slot, sender_))
                           seating_.chat(line);
                   },
                   [this](const playermsg::Action& line) {
                       if (namesSender(line.slot, sender_))
                           seating_.action(line);
                   },
                   [this](const playermsg::StartGame& start) {
                       if (!isHostPlayer(state_, sender_))
                           return;
                       rules_.referee.startgame(start);
                       holds_.gameStarted();
                   },
                   [this](const playermsg::JustWatch& request) {
                       if (mayJustWatch(state_, request.seat, sender_))
                           seating_.justwatch(request);
                   },
                   [this](const playermsg::MyWord& word) {
                       if (namesSender(word.slot, sender_))
                           rules_.judge.judge(sender_, word.guess);
                   },
                   [this](const playermsg::PlayASound& sound) {
                       if (namesSender(sound.slot, sender_))
                           seating_.playasound(sound);
                   },
               });
}

// A connection with a rejoin key that opens a held seat moves into it at its
// log-in; any other logs in as a new player. A newcomer hears who holds the
// rights before its own arrival, so that its window never shows Start Game
// on a guess; one back in its seat after the catch-up, which lays the seats
// anew. It keeps its place in the log-in order: a dropped connection is no
// departure, and the rights come back with it.
void HostSession::logIn(const playermsg::LoginInfo& login) {
    const int seat = holds_.seatToTake(sender_);
    if (seat == 0) {
        rights_.welcome(sender_);
        seating_.receivedlogininfo(login);
        holds_.loggedIn(sender_);
        return;
    }
    inbox_.connectionMoved(sender_, seat);
    seating_.moveConnection(sender_, seat);
    holds_.welcomeBack(seat);
    if (!rights_.announceIfPassed())
        rights_.tell(seat);
}

void HostSession::kick(int slot) {
    if (!holds_.releaseIfHeld(slot))
        seating_.kickhim(slot);
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

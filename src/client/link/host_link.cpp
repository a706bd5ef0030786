#include "client/link/host_link.h"

#include "net/table_address.h"

#include <algorithm>

using Stage = LinkState::Stage;

namespace {

bool retrying(Stage stage) {
    return stage == Stage::Reconnecting || stage == Stage::Returning;
}

// A connection at the table, logged in or about to be, that is no try.
bool atTable(Stage stage) {
    return stage == Stage::Connected || stage == Stage::Rejoining || stage == Stage::LoggedIn;
}

} // namespace

HostLink::HostLink(HostSocket& socket, RetryPace& pace, Hooks hooks)
    : socket_(socket), pace_(pace), hooks_(std::move(hooks)) {
    socket_.setEvents({
        .connected = [this] { on(Event::Connected); },
        .received = [this](const QByteArray& bytes) { received(bytes); },
        .closedByPeer = [this] { on(Event::PeerClosed); },
        .failed = [this] { on(Event::Failed); },
    });
    pace_.setHooks({
        .attempt = [this] { on(Event::TryDue); },
        .timedOut = [this] { on(Event::GiveUp); },
    });
}

HostLink::~HostLink() {
    socket_.setEvents({});
    pace_.setHooks({});
}

void HostLink::on(Event event, int seat) {
    const LinkState from = state_;
    state_ = next(from, event, event == Event::Drained && seatKeyHeld());
    act(event, from, seat);
}

// What each event makes of each state; what it does on the way is act's.
LinkState HostLink::next(LinkState from, Event event, bool seatKeyHeld) {
    const Stage stage = from.stage;
    const bool live = stage != Stage::Idle && stage != Stage::Ended;
    // The first reason found counts: a close after a removal is the removal's.
    const auto gone = [&](LinkEnding why) {
        return live && from.ending == LinkEnding::None ? LinkState{stage, why} : from;
    };
    const auto verdict = [&] {
        const bool awaited = stage == Stage::Rejoining || stage == Stage::Returning;
        return awaited ? LinkState{Stage::LoggedIn, from.ending} : from;
    };
    switch (event) {
    case Event::Join:
        return {Stage::Connecting};
    case Event::Leave:
        return {Stage::Idle};
    case Event::LetSeatGo:
        return from;
    case Event::TryDue:
        return retrying(stage) ? LinkState{Stage::Reconnecting} : from;
    case Event::Connected:
        return stage == Stage::Connecting ? LinkState{Stage::Connected, from.ending} : from;
    // A host that dies has its system close the connection as an orderly
    // close would: only its goodbye makes a close the table's end.
    case Event::PeerClosed:
    case Event::Failed:
    case Event::QueueFull:
        return gone(stage == Stage::Connecting ? LinkEnding::Unreachable : LinkEnding::Lost);
    case Event::Removed: // it explains a close that may have come before it was handled
        return live ? LinkState{stage, LinkEnding::Removed} : from;
    case Event::Goodbye: // as a removal does, unless it follows one
        return live && from.ending != LinkEnding::Removed ? LinkState{stage, LinkEnding::HostClosed}
                                                          : from;
    case Event::Full:
        return live ? LinkState{Stage::Ended, LinkEnding::Full} : from;
    case Event::GiveUp:
        return retrying(stage) ? LinkState{Stage::Ended, LinkEnding::Lost} : from;
    case Event::LogIn:
        return stage == Stage::Connected ? LinkState{Stage::LoggedIn, from.ending} : from;
    case Event::LogInWithKey:
        if (stage == Stage::Connected)
            return {Stage::Rejoining, from.ending};
        return stage == Stage::Reconnecting ? LinkState{Stage::Returning, from.ending} : from;
    case Event::Rejoined:
    case Event::Refused:
    case Event::ArrivedAsNew:
        return verdict();
    case Event::Drained:
        break;
    }
    // What had arrived is handled: the connection's end is concluded. Only a
    // drop with a seat the host holds is tried again; a try that fails is
    // followed by the next, unless the host turned the player away.
    if (!live || from.ending == LinkEnding::None)
        return from;
    const bool turnedAway = from.ending == LinkEnding::Removed || from.ending == LinkEnding::Full;
    if (!turnedAway && (retrying(stage) || (from.ending == LinkEnding::Lost && seatKeyHeld)))
        return {Stage::Reconnecting};
    return {Stage::Ended, from.ending};
}

void HostLink::act(Event event, LinkState from, int seat) {
    const bool changed = state_ != from;
    if (state_.stage == Stage::Ended) {
        if (from.stage != Stage::Ended)
            ended();
        return;
    }
    switch (event) {
    case Event::Join:
        pace_.stop();
        closeConnection();
        open();
        return;
    case Event::TryDue:
        if (retrying(from.stage)) {
            closeConnection();
            open();
        }
        return;
    case Event::LetSeatGo:
    case Event::Leave:
        pace_.stop();
        if (atTable(from.stage))
            keys_.forget(tableId());
        if (event == Event::Leave)
            closeConnection();
        return;
    case Event::QueueFull:
        queue_.clear();
        queuedChars_ = 0;
        socket_.close();
        hooks_.wake();
        return;
    case Event::PeerClosed:
    case Event::Failed:
    case Event::Removed:
    case Event::Goodbye:
        if (changed)
            hooks_.wake();
        return;
    case Event::Drained:
        if (changed)
            dropped(retrying(from.stage));
        return;
    case Event::Rejoined:
    case Event::Refused:
    case Event::ArrivedAsNew:
        if (changed)
            verdict(event, seat);
        return;
    case Event::Connected:
    case Event::Full:
    case Event::GiveUp:
    case Event::LogIn:
    case Event::LogInWithKey:
        return;
    }
}

void HostLink::ended() {
    pace_.stop();
    closeConnection();
    // Only a drop or a host not reached may leave a seat to come back to.
    if (state_.ending != LinkEnding::Lost && state_.ending != LinkEnding::Unreachable)
        keys_.forget(tableId());
    hooks_.ended(state_.ending, seatKeyHeld());
}

// The first drop starts the tries; a try that ends without getting back
// waits for the next.
void HostLink::dropped(bool duringTry) {
    closeConnection();
    if (duringTry) {
        pace_.attemptFailed();
        return;
    }
    keys_.dropped();
    hooks_.reconnecting();
    pace_.start(SeatKeeper::graceMs());
}

void HostLink::verdict(Event event, int seat) {
    pace_.stop();
    if (event == Event::Rejoined) {
        hooks_.backInSeat(seat);
        return;
    }
    keys_.forget(tableId());
    hooks_.seatNotKept(event == Event::Refused);
}

void HostLink::open() {
    if (!socket_.open(host_, port_))
        on(Event::Failed); // an address that names no host
}

// The queue and the framing go with the connection they came on.
void HostLink::closeConnection() {
    socket_.close();
    queue_.clear();
    queuedChars_ = 0;
    framer_.clear();
    hooks_.offline();
}

// Written as a table's address is read ("[IPv6]:port"), so that a key kept
// after a crash names the same table when it is read back.
QString HostLink::tableId() const {
    const bool ipv6 = TableAddress{host_, 0}.isIpv6();
    return (ipv6 ? u'[' + host_ + u']' : host_) + u':' + port_;
}

void HostLink::join(const QString& host, const QString& port) {
    host_ = host;
    port_ = port;
    on(Event::Join);
}

bool HostLink::leave() {
    const bool live = socket_.connected();
    on(Event::Leave);
    return live;
}

void HostLink::letSeatGo() {
    on(Event::LetSeatGo);
}

void HostLink::giveUp() {
    on(Event::GiveUp);
}

bool HostLink::send(const QString& message) {
    if (!socket_.connected())
        return false;
    socket_.send(buildMessage(message));
    return true;
}

void HostLink::received(const QByteArray& bytes) {
    if (state_.stage == Stage::Idle || state_.stage == Stage::Ended)
        return;
    const qsizetype before = queue_.size();
    framer_.feed(bytes, queue_);
    // A message that finds the queue empty is answered at once rather than
    // at the next tick: a login or a guess's result then costs no tick of
    // waiting. Only a backlog waits for the pace.
    if (before == 0 && !queue_.isEmpty())
        QMetaObject::invokeMethod(
            this, [this] { handleNext(); }, Qt::QueuedConnection);
    for (qsizetype i = before; i < queue_.size(); ++i)
        queuedChars_ += queue_[i].size();
    if (queue_.size() > kMaxQueuedMessages || queuedChars_ > kMaxQueuedChars)
        on(Event::QueueFull);
    hooks_.wake();
}

void HostLink::tick() {
    const int messages = queue_.size() > kBacklog ? kBacklogMessagesPerTick : 1;
    for (int i = 0; i < messages; ++i)
        handleNext();
}

// A connection ends from a tick once the queue is worked off, never from
// inside a socket callback.
void HostLink::handleNext() {
    if (state_.stage == Stage::Ended)
        return;
    if (queue_.isEmpty()) {
        if (state_.ending != LinkEnding::None)
            on(Event::Drained);
        return;
    }
    queuedChars_ = std::max<qsizetype>(0, queuedChars_ - queue_.first().size());
    hooks_.handleNext(queue_);
}

bool HostLink::hasWork() const {
    return !queue_.isEmpty() || (state_.stage != Stage::Ended && state_.ending != LinkEnding::None);
}

QString HostLink::logInKey() {
    const QString key = keys_.keyFor(tableId());
    on(key.isEmpty() ? Event::LogIn : Event::LogInWithKey);
    return key;
}

void HostLink::ownArrival() {
    on(Event::ArrivedAsNew);
}

void HostLink::rejoined(int seat) {
    on(Event::Rejoined, seat);
}

void HostLink::rejoinRefused() {
    on(Event::Refused);
}

void HostLink::removed() {
    on(Event::Removed);
}

void HostLink::goodbye() {
    on(Event::Goodbye);
}

void HostLink::full() {
    on(Event::Full);
}

void HostLink::keyArrived(const QString& key) {
    keys_.keyArrived(tableId(), key);
}

void HostLink::gameOver() {
    keys_.forget(tableId());
}

#include "host/host_inbox.h"

#include <QStringList>
#include <algorithm>

HostInbox::HostInbox() {
    connection(0).messages.emplace_back();
    turns_.push_back(0);
    waiting_ = 1;
}

void HostInbox::connectionOpened(int slot) {
    if (!HostState::validSlot(slot))
        return;
    dropWaiting(slot);
    Connection& opened = connection(slot);
    opened.number = ++lastConnection;
    opened.framer.clear();
}

void HostInbox::connectionClosed(int slot) {
    if (!HostState::validSlot(slot))
        return;
    dropWaiting(slot);
    Connection& closed = connection(slot);
    closed.number = 0;
    closed.framer.clear();
}

void HostInbox::connectionMoved(int from, int to) {
    if (!HostState::validSlot(from) || !HostState::validSlot(to) || from == to)
        return;
    dropWaiting(to);
    std::replace(turns_.begin(), turns_.end(), from, to);
    Connection& moving = connection(from);
    connection(to) = std::move(moving);
    moving.number = 0;
    moving.framer.clear();
    moving.messages.clear();
    moving.takenThisTick = 0;
}

void HostInbox::dropWaiting(int slot) {
    Connection& dropped = connection(slot);
    waiting_ -= static_cast<int>(dropped.messages.size());
    dropped.messages.clear();
    dropped.takenThisTick = 0;
    std::erase(turns_, slot);
}

bool HostInbox::receive(int slot, const QByteArray& bytes) {
    if (!HostState::validSlot(slot) || connection(slot).number == 0)
        return true; // nobody to blame
    Connection& sender = connection(slot);
    QStringList messages;
    const bool withinLength = sender.framer.feed(bytes, messages);
    for (QString& text : messages) {
        if (static_cast<int>(sender.messages.size()) >= kMaxWaitingPerConnection)
            return false;
        if (sender.messages.empty())
            turns_.push_back(slot);
        sender.messages.push_back(std::move(text));
        ++waiting_;
    }
    return withinLength;
}

void HostInbox::newTick() {
    for (Connection& each : connections)
        each.takenThisTick = 0;
}

// The turns go round in order: when the connection whose turn it is has had
// its share of this tick, so has everyone behind it (bar one whose line
// began during the tick), and the tick is done.
std::optional<QueuedMessage> HostInbox::takeNext() {
    if (turns_.empty())
        return std::nullopt;
    const int slot = turns_.front();
    Connection& sender = connection(slot);
    if (sender.takenThisTick >= kTakenPerTick)
        return std::nullopt;
    turns_.pop_front();
    QueuedMessage message{slot, sender.number, std::move(sender.messages.front())};
    sender.messages.pop_front();
    --waiting_;
    ++sender.takenThisTick;
    if (!sender.messages.empty())
        turns_.push_back(slot); // its next message waits for everyone else's turn
    return message;
}

std::optional<QueuedMessage> HostInbox::takeFrom(int slot, quint64 number) {
    if (!HostState::validSlot(slot) || number == 0 || connection(slot).number != number ||
        connection(slot).messages.empty())
        return std::nullopt;
    Connection& sender = connection(slot);
    QueuedMessage message{slot, number, std::move(sender.messages.front())};
    sender.messages.pop_front();
    --waiting_;
    if (sender.messages.empty())
        std::erase(turns_, slot);
    return message;
}

int HostInbox::waitingFrom(int slot) const {
    return HostState::validSlot(slot) ? static_cast<int>(connection(slot).messages.size()) : 0;
}

#include "host/host_inbox.h"

#include <QStringList>
#include <algorithm>

HostInbox::HostInbox() {
    receivedlist.push_back(QueuedMessage{});
}

void HostInbox::connectionOpened(int slot) {
    if (!HostState::validSlot(slot))
        return;
    Connection& opened = connection(slot);
    opened.number = ++lastConnection;
    opened.framer.clear();
    opened.waiting = 0;
}

void HostInbox::connectionClosed(int slot) {
    if (!HostState::validSlot(slot))
        return;
    Connection& closed = connection(slot);
    const quint64 number = closed.number;
    std::erase_if(receivedlist, [slot, number](const QueuedMessage& message) {
        return message.slot == slot && message.connection == number;
    });
    closed.number = 0;
    closed.framer.clear();
    closed.waiting = 0;
}

void HostInbox::connectionMoved(int from, int to) {
    if (!HostState::validSlot(from) || !HostState::validSlot(to) || from == to)
        return;
    Connection& moving = connection(from);
    for (QueuedMessage& message : receivedlist) {
        if (message.slot == from && message.connection == moving.number)
            message.slot = to;
    }
    connection(to) = std::move(moving);
    moving.number = 0;
    moving.framer.clear();
    moving.waiting = 0;
}

bool HostInbox::receive(int slot, const QByteArray& bytes) {
    if (!HostState::validSlot(slot) || connection(slot).number == 0)
        return true; // nobody to blame
    Connection& sender = connection(slot);
    QStringList messages;
    const bool withinLength = sender.framer.feed(bytes, messages);
    for (QString& text : messages) {
        if (sender.waiting >= kMaxWaitingPerConnection)
            return false;
        receivedlist.push_back(QueuedMessage{slot, sender.number, std::move(text)});
        ++sender.waiting;
    }
    return withinLength;
}

std::optional<QueuedMessage> HostInbox::takeNext() {
    while (!receivedlist.empty()) {
        QueuedMessage message = std::move(receivedlist.front());
        receivedlist.pop_front();
        if (!stillOpen(message))
            continue;
        if (message.slot != 0)
            --connection(message.slot).waiting;
        return message;
    }
    return std::nullopt;
}

int HostInbox::waitingFrom(int slot) const {
    return HostState::validSlot(slot) ? connection(slot).waiting : 0;
}

bool HostInbox::stillOpen(const QueuedMessage& message) const {
    if (message.slot == 0)
        return true;
    return HostState::validSlot(message.slot) &&
           connection(message.slot).number == message.connection;
}

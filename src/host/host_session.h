#pragma once

#include "host/host_inbox.h"
#include "host/host_rules.h"
#include "host/host_state.h"
#include "host/seating.h"
#include "host/word_lists.h"
#include "net/protocol.h"

#include <QByteArray>
#include <functional>

// The game host without its sockets and timers: the slot table and game
// state, the rules, the seating, and the message queue with its dispatcher.
// TServer feeds it what its sockets and timers report; tests feed it
// directly.
class HostSession {
public:
    HostSession(HostOutbox& outbox, HostClock& clock, const HostOptions& options,
                HostConnections& connections, WordLists words);

    // Connections. chooseSlot gives 0 when all nine slots are taken.
    int chooseSlot() const { return m_seating.chooseSlot(); }
    void connectionAccepted(int slot);
    void connectionClosed(int slot);
    // False when the connection broke a limit and must be closed.
    bool received(int slot, const QByteArray& bytes);

    // Timer ticks.
    // One queued message; false when there was none or it was empty.
    bool socktimerTimer();
    void turntimerTimer() { m_rules.referee.turntimerTimer(); }
    void computertimerTimer() { m_rules.bot.computertimerTimer(); }

    HostState& state() { return m_state; }
    const HostState& state() const { return m_state; }
    const HostInbox& inbox() const { return m_inbox; }
    // The clients' command words that have a handler here.
    QStringList commandWords() const { return m_dispatcher.commandWords(); }

private:
    using Gate = std::function<bool(const QString& args, int senderSlot)>;
    void handle(const char* commandWord, Gate mayHandle, MessageDispatcher::Handler handler);

    HostState m_state;
    WordLists m_words;
    HostRules m_rules;
    Seating m_seating;
    HostInbox m_inbox;
    MessageDispatcher m_dispatcher;
    int m_sender = 0; // slot of the message being handled
};

#pragma once

#include "host/host_session.h"
#include "net/protocol.h"
#include "qstring_printer.h"
#include "rules_harness.h"

#include <QList>
#include <QSet>

// Closing a connection in use reports its close at once, as a socket does.
class ClosingConnections : public HostConnections {
public:
    void disconnectsock(int slot) override {
        if (!session || !HostState::validSlot(slot) || !session->state().player(slot).inuse)
            return;
        closed.append(slot);
        session->connectionClosed(slot);
    }
    HostSession* session = nullptr;
    QList<int> closed;
};

// Grace timers that run until a test lets one run out.
class FakeHoldClock : public HoldClock {
public:
    int graceMs() const override { return grace; }
    void startHoldTimer(int seat) override { running.insert(seat); }
    void stopHoldTimer(int seat) override { running.remove(seat); }
    int grace = 60000;
    QSet<int> running;
};

// A host without sockets: connections come and go by call, their bytes go
// into the queue tagged with their slot, and the dispatch timer is ticked by
// hand until the queue is empty.
struct SessionHarness {
    SessionHarness()
        : session(outbox, clock, holdClock, options, connections,
                  WordLists(kGameWords, kGameWords + kExtraDictionaryWords)) {
        connections.session = &session;
        seedProcessRandom(20240611);
    }

    int connect() {
        const int slot = session.chooseSlot();
        if (slot != 0)
            session.connectionAccepted(slot);
        return slot;
    }
    // Sends and dispatches; a connection over a limit is closed, as TServer does.
    void send(int slot, const QString& text) { sendBytes(slot, buildMessage(text)); }
    void sendBytes(int slot, const QByteArray& bytes) {
        if (!session.received(slot, bytes))
            connections.disconnectsock(slot);
        drain();
    }
    void drain() {
        while (session.inbox().waiting() > 0)
            session.socktimerTimer();
    }
    int logIn(const QString& name, const QString& version = QStringLiteral("1.0.8")) {
        const int slot = connect();
        send(slot, QStringLiteral("CMD_logininfo+%1+%2+%3").arg(slot).arg(version, name));
        return slot;
    }
    void tick(int count) {
        for (int i = 0; i < count && clock.turnActive; ++i)
            session.turntimerTimer();
    }
    HostState& state() { return session.state(); }
    QStringList to(int slot) const { return outbox.to(slot); }
    void forget() { outbox.sent.clear(); }

    RecordingOutbox outbox;
    FakeClock clock;
    FakeHoldClock holdClock;
    FixedOptions options;
    ClosingConnections connections;
    HostSession session;
};

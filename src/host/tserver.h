#pragma once

#include "host/host_ports.h"
#include "host/host_session.h"
#include "host/login_deadline.h"
#include "host/seating.h"
#include "net/tsock.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <array>
#include <memory>

// The game host: listens on Sock1, gives each accepted connection a slot,
// frames what the connections send into the message queue, and works the
// queue off at each socktimer tick, the connections in turn. It has no window, so it also runs
// headless under --serve. Listening starts with Sock1().setListen(true),
// which throws ESockException when the port cannot be had.
class TServer : public QObject,
                private HostOutbox,
                private HostClock,
                private HoldClock,
                private HostConnections {
public:
    static constexpr int kSocktimerMs = 10;
    static constexpr int kTurntimerMs = 1000; // before the time scale
    // How long a dropped player's seat is held, before the time scale.
    static constexpr int kHoldMs = 60000;

    explicit TServer(const HostOptions& options, QObject* parent = nullptr);
    ~TServer() override;

    TSock& Sock1() { return *sock1_; }
    const HostState& state() const { return session_.state(); }

    // Closes the connection in the slot if it is in use; its close report
    // then frees the slot.
    void disconnectsock(int slot) override;

    // A host without a player of its own (--serve): the host player's rights
    // belong to the lowest seated player rather than to slot 1 alone.
    void setDedicated() { session_.state().dedicated = true; }

    // For a public host (--serve): a connection that has not logged in this
    // long after it was asked to is closed and its slot freed. Off unless set.
    void setLoginDeadline(int milliseconds);

private:
    // Socket events.
    void Sock1Accept(TSock* sender);
    void Sock1Read(TSock* sender, int count);
    void tempsockDisconnect(TSock* sender);
    void tempsockInfo(TSock* sender, TSocketInfo info, const QString& msg);
    // Timer ticks.
    void socktimerTimer();
    void turntimerTimer();
    void computertimerTimer();
    // Schedules the next socktimer tick when messages wait and none is due.
    void wakeSocktimer();
    // A message that finds its connection's line empty is served at once.
    void serveFreshLine(int slot);

    void refuse(TSock* listener);
    // The slot whose current connection is this socket, or 0. A connection
    // may move to a held seat, so the slot table is asked, not the socket.
    int slotOf(const TSock* sock) const;
    void departed(int slot);
    template <typename Handler> void guarded(const char* where, Handler handler);

    // HostOutbox: the slot's socket.
    void sendTo(int slot, const QString& message) override;
    // HostClock: turntimer and the one-shot computertimer, scaled.
    void startTurnTimer() override;
    void stopTurnTimer() override;
    bool turnTimerActive() const override;
    void startComputerTimer(int milliseconds) override;
    void stopComputerTimer() override;
    // HoldClock: one one-shot timer per seat, scaled.
    int graceMs() const override;
    void startHoldTimer(int seat) override;
    void stopHoldTimer(int seat) override;

    QTimer socktimer; // one-shot: ticks only while messages wait
    QElapsedTimer sinceLastTick;
    // Per slot: when a message of its connection was last served at once.
    std::array<QElapsedTimer, game::kSlots + 1> servedAtOnce;
    QTimer turntimer;
    QTimer computertimer;
    std::array<QTimer, game::kSeats + 1> holdtimers; // index 0 unused
    TSock tempsock; // never opened: holds the handlers copied onto accepted sockets
    HostSession session_;
    std::unique_ptr<TSock> sock1_; // owns the accepted sockets
    std::unique_ptr<LoginDeadline> loginDeadline_;
};

#pragma once

#include <QString>

// The narrow seams through which the host's rules reach the outside world.
// Production wires them to sockets, QTimers and the options of the main window
// (or glenmorra.ini under --serve); rule tests record and drive them directly.

// Sends one protocol message (without its terminator) to one slot.
class HostOutbox {
public:
    virtual ~HostOutbox() = default;
    virtual void sendTo(int slot, const QString& message) = 0;
};

// The two host timers. Interval of turntimer is fixed (1 s x time scale);
// computertimer is one-shot and gets its interval at each start.
class HostClock {
public:
    virtual ~HostClock() = default;
    virtual void startTurnTimer() = 0;
    virtual void stopTurnTimer() = 0;
    virtual bool turnTimerActive() const = 0;
    virtual void startComputerTimer(int milliseconds) = 0;
    virtual void stopComputerTimer() = 0;
};

// The grace timers of held seats: one-shot, one per seat 1..5, each running
// for the grace time, which is given after the time scale.
class HoldClock {
public:
    virtual ~HoldClock() = default;
    virtual int graceMs() const = 0;
    virtual void startHoldTimer(int seat) = 0;
    virtual void stopHoldTimer(int seat) = 0;
};

// Options the host reads each time it needs them.
class HostOptions {
public:
    virtual ~HostOptions() = default;
    virtual int botSpeedMs() const = 0;         // 2000, 1000 or 500
    virtual int betweenRoundsTicks() const = 0; // 5 or 10
    // The table's rules, read at each game start.
    virtual bool botFair() const = 0;    // "Klot Plays Fair"
    virtual bool exactMarks() const = 0; // "Exact Marks"
};

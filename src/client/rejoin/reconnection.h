#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

// The pace of the tries to get back to a dropped table: the first soon, then
// with pauses that double up to a cap, until the host's grace has run out.
// A try that neither ends nor is answered within a limit counts as failed,
// so a host that vanished without a word cannot stall the retries.
class Reconnection : public QObject {
public:
    struct Hooks {
        std::function<void()> attempt;  // close what is left and connect again
        std::function<void()> timedOut; // the grace is over
    };
    explicit Reconnection(Hooks hooks, QObject* parent = nullptr);

    // From a drop: tries until the grace (from now) has run out.
    void start(int graceMs);
    // The last try ended without getting back: the next comes after a pause.
    void attemptFailed();
    void stop();
    bool running() const { return deadline_.isValid(); }

private:
    void attemptNow();
    qint64 remainingMs() const;

    Hooks hooks_;
    QTimer next_;  // the pause before the next try
    QTimer limit_; // a try that hangs
    QElapsedTimer deadline_;
    qint64 graceMs_ = 0;
    int pauseMs_ = 0;
};

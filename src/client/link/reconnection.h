#pragma once

#include "client/link/retry_pace.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// The pace of the tries to get back to a dropped table: the first soon, then
// with pauses that double up to a cap, until the host's grace has run out.
// A try that neither ends nor is answered within a limit counts as failed,
// so a host that vanished without a word cannot stall the retries.
class Reconnection : public QObject, public RetryPace {
public:
    explicit Reconnection(QObject* parent = nullptr);

    void setHooks(Hooks hooks) override { hooks_ = std::move(hooks); }
    void start(int graceMs) override;
    void attemptFailed() override;
    void stop() override;
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

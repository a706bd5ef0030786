#include "client/link/reconnection.h"

#include "common/environment.h"

#include <algorithm>

namespace {

// Half a second lets a router's blip pass; eight seconds between tries keeps
// a restarting host from being hammered while still leaving several tries in
// the minute it holds the seat.
constexpr int kFirstPauseMs = 500;
constexpr int kLongestPauseMs = 8000;
// A loopback or LAN connect answers in milliseconds, a log-in in one host
// tick; ten seconds of neither is a host that is not there.
constexpr int kAttemptLimitMs = 10000;
constexpr int kShortestLimitMs = 2000;

} // namespace

Reconnection::Reconnection(QObject* parent) : QObject(parent) {
    next_.setSingleShot(true);
    limit_.setSingleShot(true);
    connect(&next_, &QTimer::timeout, this, [this] { attemptNow(); });
    connect(&limit_, &QTimer::timeout, this, [this] { attemptFailed(); });
}

void Reconnection::start(int graceMs) {
    graceMs_ = graceMs;
    deadline_.start();
    pauseMs_ = environment::scaledInterval(kFirstPauseMs);
    next_.start(pauseMs_);
}

void Reconnection::attemptFailed() {
    if (!running())
        return;
    limit_.stop();
    if (remainingMs() <= 0) {
        stop();
        hooks_.timedOut();
        return;
    }
    pauseMs_ = std::min(pauseMs_ * 2, environment::scaledInterval(kLongestPauseMs));
    next_.start(int(std::min<qint64>(pauseMs_, remainingMs())));
}

void Reconnection::stop() {
    next_.stop();
    limit_.stop();
    deadline_.invalidate();
}

void Reconnection::attemptNow() {
    if (remainingMs() <= 0) {
        attemptFailed();
        return;
    }
    // A busy machine connects no faster under a shortened game clock.
    const int limitMs = std::max(environment::scaledInterval(kAttemptLimitMs), kShortestLimitMs);
    limit_.start(int(std::min<qint64>(limitMs, remainingMs())));
    hooks_.attempt();
}

qint64 Reconnection::remainingMs() const {
    return graceMs_ - deadline_.elapsed();
}

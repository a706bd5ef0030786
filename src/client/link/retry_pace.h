#pragma once

#include <functional>

// When the link tries a dropped table again, and when it stops trying. The
// window's pace is Reconnection's timers; the link's tests tell it by hand.
class RetryPace {
public:
    struct Hooks {
        std::function<void()> attempt;  // close what is left and connect again
        std::function<void()> timedOut; // the grace is over
    };
    virtual ~RetryPace() = default;

    virtual void setHooks(Hooks hooks) = 0;
    // From a drop: tries until the grace (from now) has run out.
    virtual void start(int graceMs) = 0;
    // The last try ended without getting back: the next comes after a pause.
    virtual void attemptFailed() = 0;
    virtual void stop() = 0;
};

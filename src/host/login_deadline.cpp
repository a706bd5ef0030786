#include "host/login_deadline.h"

LoginDeadline::LoginDeadline(const HostState& state, HostConnections& connections, int milliseconds)
    : state_(state), connections_(connections) {
    for (int slot = 1; slot <= game::kSlots; ++slot) {
        auto& timer = timers_[static_cast<size_t>(slot)];
        timer = std::make_unique<QTimer>();
        timer->setSingleShot(true);
        timer->setInterval(milliseconds);
        QObject::connect(timer.get(), &QTimer::timeout, [this, slot] { expired(slot); });
    }
}

void LoginDeadline::asked(int slot) {
    if (HostState::validSlot(slot))
        timers_[static_cast<size_t>(slot)]->start();
}

void LoginDeadline::gone(int slot) {
    if (HostState::validSlot(slot))
        timers_[static_cast<size_t>(slot)]->stop();
}

void LoginDeadline::expired(int slot) {
    const tplayer& player = state_.player(slot);
    if (player.inuse && !player.loggedin)
        connections_.disconnectsock(slot);
}

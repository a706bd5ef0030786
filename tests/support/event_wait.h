#pragma once

// Waiting in tests runs the event loop, so that sockets and timers in the
// same process keep working meanwhile.

#include <functional>

namespace testsupport {

// Runs the event loop until condition holds or timeoutMs passes; false on time-out.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = 10000);
// Runs the event loop a little longer, so that what must not happen would show.
void settle(int ms = 150);

} // namespace testsupport

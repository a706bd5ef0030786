#pragma once

#include <functional>

class QObject;

// SIGINT and SIGTERM become a call of `ended` from the event loop of
// `context`'s thread, where ending the program cleanly is safe. Once per
// process; false when the signals cannot be watched.
bool onTerminationSignals(QObject* context, std::function<void()> ended);

#include "event_wait.h"

#include <QTest>

namespace testsupport {

bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
    return QTest::qWaitFor(condition, timeoutMs);
}

void settle(int ms) {
    QTest::qWait(ms);
}

} // namespace testsupport

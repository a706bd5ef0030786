#include "portmap/lease_plan.h"

#include <algorithm>
#include <cmath>

namespace leaseplan {

int askedSeconds(double timeScale) {
    const double scaled = std::round(kAskedSeconds * timeScale);
    return static_cast<int>(std::clamp(scaled, double(kShortestSeconds), double(kAskedSeconds)));
}

std::optional<int> renewAfterMs(int grantedSeconds) {
    if (grantedSeconds <= 0)
        return std::nullopt;
    // A gateway may grant less than asked (or a few seconds): still renew
    // before the end, at least a second after the last answer.
    return std::max(1000, grantedSeconds * 500);
}

} // namespace leaseplan

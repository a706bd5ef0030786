#pragma once

#include <optional>

// How long a forward is asked for, and when it is asked again.
namespace leaseplan {

// An hour: a host that crashes leaves the port open for at most that long.
inline constexpr int kAskedSeconds = 3600;
// Below this a lease is renewed so often that a slow gateway could miss it.
inline constexpr int kShortestSeconds = 4;

// The lease to ask for under the clock scale (tests shorten it).
int askedSeconds(double timeScale);

// When to ask again after the gateway granted grantedSeconds: at half of it,
// so that a gateway that is slow to answer still has the other half; never
// for a permanent forward (0), which is removed when the table closes.
std::optional<int> renewAfterMs(int grantedSeconds);

} // namespace leaseplan

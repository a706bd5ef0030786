// What `ludomyra --serve` costs while nine logged-in connections say nothing:
// CPU time over 30 seconds (LUDOMYRA_BENCH_IDLE_SECONDS) as a share of one
// core, and the peak resident size.
#include "figure.h"
#include "process_probe.h"
#include "served_host.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <string>
#include <thread>
#include <vector>

using namespace bench;

namespace {

constexpr int kConnections = 9;

} // namespace

int measure() {
    ServedHost host({}, "[Ludomyra]\r\n");
    const auto peers = logInPeers(host.port(), kConnections);
    // The last log-in's announcements have reached everyone: all is quiet now.
    const std::string lastArrival = "CMD_newplayerinfo+9+P9+0";
    for (const auto& peer : peers)
        if (peer->waitForPrefix(lastArrival).empty())
            fail("the ninth log-in was not announced");
    std::this_thread::sleep_for(std::chrono::seconds(1));

    const double cpuPercent = idleCpuPercent(host.pid());
    const std::int64_t peakKiB = processprobe::peakResidentKiB(host.pid());
    if (peakKiB < 0)
        fail("cannot read the host's peak resident size");
    printFigure("--serve idle CPU, nine connections", cpuPercent, 3, "% of a core", "< 0.5 %",
                cpuPercent < 0.5);
    printFigure("--serve peak RSS, nine idle connections", double(peakKiB) / 1024.0, 1, "MB",
                "< 30 MB", peakKiB < 30 * 1024);
    return 0;
}

int main() {
    return runBenchmark(measure);
}

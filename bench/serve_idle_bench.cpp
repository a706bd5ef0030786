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

int idleSeconds() {
    const char* text = std::getenv("LUDOMYRA_BENCH_IDLE_SECONDS");
    return text ? std::max(1, std::atoi(text)) : 30;
}

} // namespace

int measure() {
    ServedHost host({}, "[Ludomyra]\r\n");
    std::vector<std::unique_ptr<WirePeer>> peers;
    for (int slot = 1; slot <= kConnections; ++slot) {
        peers.push_back(std::make_unique<WirePeer>(host.port()));
        if (peers.back()->logIn("P" + std::to_string(slot)) != slot)
            fail("slot " + std::to_string(slot) + " was not given in order");
    }
    // The last log-in's announcements have reached everyone: all is quiet now.
    const std::string lastArrival = "CMD_newplayerinfo+9+P9+0";
    for (const auto& peer : peers)
        if (peer->waitForPrefix(lastArrival).empty())
            fail("the ninth log-in was not announced");
    std::this_thread::sleep_for(std::chrono::seconds(1));

    const int seconds = idleSeconds();
    const std::int64_t cpuBefore = processprobe::cpuNanoseconds(host.pid());
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const std::int64_t cpuAfter = processprobe::cpuNanoseconds(host.pid());
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    const std::int64_t peakKiB = processprobe::peakResidentKiB(host.pid());
    if (cpuBefore < 0 || cpuAfter < 0 || peakKiB < 0)
        fail("cannot read the host's /proc figures");

    const double cpuPercent = 100.0 * double(cpuAfter - cpuBefore) / 1e9 / wall;
    std::printf("--serve, nine idle connections, %d s: %.3f ms on a CPU\n", seconds,
                double(cpuAfter - cpuBefore) / 1e6);
    printFigure("--serve idle CPU, nine connections", cpuPercent, 3, "% of a core", "< 0.5 %",
                cpuPercent < 0.5);
    printFigure("--serve peak RSS, nine idle connections", double(peakKiB) / 1024.0, 1, "MB",
                "< 30 MB", peakKiB < 30 * 1024);
    return 0;
}

int main() {
    return runBenchmark(measure);
}

#pragma once

// `ludomyra --serve` as a child process with a home folder of its own and an
// ephemeral game port, and protocol peers on plain loopback sockets that
// wait with poll(): no event loop of their own disturbs what is measured.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

class ServedHost {
public:
    // environment: extra "NAME=value" entries; settings: the glenmorra.ini text.
    ServedHost(const std::vector<std::string>& environment, const std::string& settings);
    ~ServedHost(); // SIGTERM, then waits
    ServedHost(const ServedHost&) = delete;
    ServedHost& operator=(const ServedHost&) = delete;

    pid_t pid() const { return pid_; }
    // "is running", "ended with exit code N" or "was killed by signal N".
    std::string status();
    std::uint16_t port() const { return port_; }

private:
    void stop(); // ends the host and removes its home folder

    std::string home_;
    pid_t pid_ = -1;
    std::uint16_t port_ = 0;
};

class WirePeer {
public:
    explicit WirePeer(std::uint16_t port); // connects, with TCP_NODELAY as the game's sockets
    ~WirePeer();
    WirePeer(const WirePeer&) = delete;
    WirePeer& operator=(const WirePeer&) = delete;

    int fd() const { return fd_; }
    void send(const std::string& text); // adds the terminator
    // Appends the messages that have arrived whole; false once the host has closed.
    bool receive(std::vector<std::string>& messages);
    // Waits for the first message that starts with prefix; empty after timeoutMs.
    std::string waitForPrefix(const std::string& prefix, int timeoutMs = 10000);
    // Answers CMD_sendlogininfo; returns the slot, 0 if none came.
    int logIn(const std::string& name);

private:
    int fd_ = -1;
    std::string tail_;
    std::vector<std::string> early_; // arrived while waiting for something else
};

// count peers logged in as "P1", "P2", ... in slots 1, 2, ...
std::vector<std::unique_ptr<WirePeer>> logInPeers(std::uint16_t port, int count);

// The CPU a process takes while it is left alone for LUDOMYRA_BENCH_IDLE_SECONDS
// (default 30), in percent of one core.
double idleCpuPercent(pid_t pid);

// The middle and the 99th percentile of a set of durations, in milliseconds.
struct Spread {
    double median = 0;
    double p99 = 0;
    double worst = 0;
};
Spread spreadOf(std::vector<double> milliseconds);

// Ends the benchmark: the host and its home folder are cleaned up on the way.
[[noreturn]] void fail(const std::string& why);
// Runs a benchmark's body; a failure is told on stderr and gives exit code 1.
int runBenchmark(int (*body)());

} // namespace bench

#include "served_host.h"

#include "process_probe.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <regex>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace bench {

namespace {

constexpr char kTerminator = '\xFF';

bool waitReadable(int fd, int timeoutMs) {
    pollfd entry{fd, POLLIN, 0};
    return ::poll(&entry, 1, timeoutMs) > 0;
}

std::string makeHome(const std::string& settings) {
    char pattern[] = "/tmp/ludomyra-bench-XXXXXX";
    if (!::mkdtemp(pattern))
        fail("cannot make a home folder");
    std::ofstream(std::string(pattern) + "/glenmorra.ini") << settings;
    return pattern;
}

// The port from the host's "listening on port N" line on its standard output.
std::uint16_t readListeningPort(int fd) {
    std::string said;
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    static const std::regex listening("listening on port (\\d+)");
    std::smatch match;
    while (!std::regex_search(said, match, listening) || said.find('\n') == std::string::npos) {
        if (Clock::now() > deadline || !waitReadable(fd, 100))
            continue;
        char buffer[256];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            fail("the host ended before it listened: " + said);
        said.append(buffer, std::size_t(n));
    }
    return std::uint16_t(std::stoi(match[1]));
}

} // namespace

void fail(const std::string& why) {
    throw std::runtime_error(why);
}

int runBenchmark(int (*body)()) {
    try {
        return body();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "benchmark failed: %s\n", failure.what());
        return 1;
    }
}

ServedHost::ServedHost(const std::vector<std::string>& environment, const std::string& settings)
    : home_(makeHome(settings)) {
    int output[2];
    if (::pipe(output) != 0)
        fail("no pipe");
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(output[1], STDOUT_FILENO);
        ::close(output[0]);
        ::close(output[1]);
        ::setenv("LUDOMYRA_PORT", "0", 1);
        ::setenv("LUDOMYRA_DISCOVERY_PORT", "0", 1); // found by nobody
        ::setenv("LUDOMYRA_HOME", home_.c_str(), 1);
        for (const std::string& entry : environment)
            ::putenv(const_cast<char*>(entry.c_str()));
        ::execl(LUDOMYRA_BINARY, LUDOMYRA_BINARY, "--serve", static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    ::close(output[1]);
    try {
        if (pid_ < 0)
            fail("cannot start the host");
        port_ = readListeningPort(output[0]);
    } catch (...) {
        ::close(output[0]);
        stop();
        throw;
    }
    ::close(output[0]); // the host writes nothing more
}

std::string ServedHost::status() {
    int code = 0;
    if (pid_ <= 0 || ::waitpid(pid_, &code, WNOHANG) != pid_)
        return "is running";
    pid_ = -1;
    return WIFSIGNALED(code) ? "was killed by signal " + std::to_string(WTERMSIG(code))
                             : "ended with exit code " + std::to_string(WEXITSTATUS(code));
}

ServedHost::~ServedHost() {
    stop();
}

void ServedHost::stop() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    std::error_code ignored;
    std::filesystem::remove_all(home_, ignored);
}

WirePeer::WirePeer(std::uint16_t port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd_ < 0 || ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        fail("cannot connect to the host");
    const int on = 1;
    ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
}

WirePeer::~WirePeer() {
    ::close(fd_);
}

void WirePeer::send(const std::string& text) {
    const std::string wire = text + kTerminator;
    std::size_t sent = 0;
    while (sent < wire.size()) {
        const ssize_t n = ::send(fd_, wire.data() + sent, wire.size() - sent, MSG_NOSIGNAL);
        if (n > 0)
            sent += std::size_t(n);
        else if (errno == EAGAIN || errno == EWOULDBLOCK)
            ::poll(nullptr, 0, 1);
        else
            fail("the host has gone");
    }
}

bool WirePeer::receive(std::vector<std::string>& messages) {
    messages.insert(messages.end(), early_.begin(), early_.end());
    early_.clear();
    bool open = true;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
        if (n > 0) {
            tail_.append(buffer, std::size_t(n));
            continue;
        }
        open = n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
        break;
    }
    std::size_t end;
    while ((end = tail_.find(kTerminator)) != std::string::npos) {
        messages.push_back(tail_.substr(0, end));
        tail_.erase(0, end + 1);
    }
    return open;
}

std::string WirePeer::waitForPrefix(const std::string& prefix, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::vector<std::string> kept;
    std::string found;
    while (found.empty() && Clock::now() < deadline) {
        waitReadable(fd_, 10);
        std::vector<std::string> messages;
        receive(messages);
        for (std::string& message : messages) {
            if (found.empty() && message.compare(0, prefix.size(), prefix) == 0)
                found = message;
            else
                kept.push_back(std::move(message));
        }
    }
    early_.insert(early_.begin(), kept.begin(), kept.end());
    return found;
}

int WirePeer::logIn(const std::string& name) {
    const std::string asked = waitForPrefix("CMD_sendlogininfo+");
    if (asked.empty())
        return 0;
    const std::string slot = asked.substr(asked.find('+') + 1);
    send("CMD_logininfo+" + slot + "+1.0.8+" + name);
    return std::stoi(slot);
}

std::vector<std::unique_ptr<WirePeer>> logInPeers(std::uint16_t port, int count) {
    std::vector<std::unique_ptr<WirePeer>> peers;
    for (int slot = 1; slot <= count; ++slot) {
        peers.push_back(std::make_unique<WirePeer>(port));
        if (peers.back()->logIn("P" + std::to_string(slot)) != slot)
            fail("slot " + std::to_string(slot) + " was not given in order");
    }
    return peers;
}

double idleCpuPercent(pid_t pid) {
    const char* text = std::getenv("LUDOMYRA_BENCH_IDLE_SECONDS");
    const int seconds = text ? std::max(1, std::atoi(text)) : 30;
    const std::int64_t before = processprobe::cpuNanoseconds(pid);
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const std::int64_t after = processprobe::cpuNanoseconds(pid);
    const double wallNs = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
    if (before < 0 || after < 0)
        fail("cannot read the CPU time of process " + std::to_string(pid));
    return 100.0 * double(after - before) / wallNs;
}

Spread spreadOf(std::vector<double> milliseconds) {
    Spread spread;
    if (milliseconds.empty())
        return spread;
    std::sort(milliseconds.begin(), milliseconds.end());
    const auto at = [&](double fraction) {
        return milliseconds[std::size_t(fraction * double(milliseconds.size() - 1) + 0.5)];
    };
    spread.median = at(0.5);
    spread.p99 = at(0.99);
    spread.worst = milliseconds.back();
    return spread;
}

} // namespace bench

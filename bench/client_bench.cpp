// The game program's own figures. Start-up: from exec to the own client's
// log-in being announced, in solo mode and offscreen, beside a minimal Qt
// Widgets program started in the same run. The client loads glenmorra.ini
// when it sees its own arrival, and at no time before, so that first open
// of the file (seen with inotify) marks the announcement. Idle: the CPU a
// solo game takes over 30 s (LUDOMYRA_BENCH_IDLE_SECONDS) with nothing
// happening. The rows that need a game played by the client are marked.
#include "figure.h"
#include "process_probe.h"
#include "served_host.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace bench;
namespace fs = std::filesystem;

namespace {

constexpr int kStarts = 5;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A port that is free now; the game port of the solo game (its own client
// needs a real number to connect to).
std::uint16_t freePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        fail("no free port");
    ::close(fd);
    return ntohs(address.sin_port);
}

pid_t launch(const char* binary, const std::vector<std::string>& environment) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::freopen("/dev/null", "w", stdout);
        ::freopen("/dev/null", "w", stderr);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        for (const std::string& entry : environment)
            ::putenv(const_cast<char*>(entry.c_str()));
        ::execl(binary, binary, static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    if (pid < 0)
        fail("cannot start " + std::string(binary));
    return pid;
}

void stop(pid_t pid) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// From exec to exit of the minimal program, which quits once shown.
double minimalStartMs() {
    const auto start = Clock::now();
    int status = 0;
    ::waitpid(launch(MINIMAL_QT_WINDOW, {}), &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail("the minimal Qt program did not run");
    return msSince(start);
}

// A solo game in folders of its own, watched for its settings load.
class SoloGame {
public:
    SoloGame() {
        char pattern[] = "/tmp/ludomyra-solo-XXXXXX";
        if (!::mkdtemp(pattern))
            fail("cannot make a folder");
        folder_ = pattern;
        fs::create_directory(folder_ / "run");
        fs::permissions(folder_ / "run", fs::perms::owner_all);
        std::ofstream(folder_ / "glenmorra.ini") << "[Ludomyra]\r\n";
        watch_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (watch_ < 0 || ::inotify_add_watch(watch_, folder_.c_str(), IN_OPEN) < 0)
            fail("cannot watch " + folder_.string());
        environment_ = {"LUDOMYRA_HOME=" + folder_.string(),
                        "XDG_RUNTIME_DIR=" + (folder_ / "run").string(),
                        "LUDOMYRA_PORT=" + std::to_string(freePort())};
    }
    ~SoloGame() {
        if (pid_ > 0)
            stop(pid_);
        ::close(watch_);
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    // Starts the game; the time until its own log-in is announced, or -1.
    double startMs() {
        const auto start = Clock::now();
        pid_ = launch(LUDOMYRA_BINARY, environment_);
        while (msSince(start) < 20000) {
            pollfd entry{watch_, POLLIN, 0};
            if (::poll(&entry, 1, 100) > 0 && settingsOpened())
                return msSince(start);
        }
        return -1;
    }
    pid_t pid() const { return pid_; }

private:
    bool settingsOpened() {
        alignas(inotify_event) char buffer[4096];
        const ssize_t n = ::read(watch_, buffer, sizeof buffer);
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->len > 0 && std::string(event->name) == "glenmorra.ini")
                return true;
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
        return false;
    }

    fs::path folder_;
    int watch_ = -1;
    pid_t pid_ = -1;
    std::vector<std::string> environment_;
};

int measure() {
    std::vector<double> minimal, solo;
    for (int i = 0; i < kStarts; ++i) {
        minimal.push_back(minimalStartMs());
        SoloGame game;
        const double ms = game.startMs();
        if (ms < 0)
            fail("the solo game's own log-in was never announced");
        solo.push_back(ms);
    }
    const double minimalMs = median(minimal), soloMs = median(solo);
    printFigure("start-up, minimal Qt Widgets program", minimalMs, 0, "ms", "(yardstick)", true);
    printFigure("start-up, solo game to own log-in", soloMs, 0, "ms", "< 2x the yardstick",
                soloMs < 2 * minimalMs);

    SoloGame game;
    if (game.startMs() < 0)
        fail("the solo game's own log-in was never announced");
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const double cpuPercent = idleCpuPercent(game.pid());
    printFigure("solo game idle CPU", cpuPercent, 3, "% of a core", "< 1 %", cpuPercent < 1);
    printPending("solo game CPU during the table animation", "< 5 %",
                 "needs a way to start a shot in a solo game from outside");
    printPending("solo game peak RSS through one game", "< 120 MB",
                 "needs the client to play a whole solo game unattended");
    return 0;
}

} // namespace

int main() {
    return runBenchmark(measure);
}

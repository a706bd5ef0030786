// How late turns come while a peer floods the chat with the longest lines a
// host relays (64 KiB), one per socktimer tick, flipping its colour with every
// line, as a game runs. Once in a window joined to `ludomyra --serve`, which
// relays at its own pace: the window's lag behind the host for each turn. Once
// in the hosting player's own window, which shares its thread with the host:
// the window's lag, and how much longer the host's rows ran than before the
// flood. Both with the window's peak memory. COLOUR_FLOOD_SECONDS sets the
// flood's length (default 10).
#include "colour_flood.h"
#include "figure.h"

#include <QApplication>
#include <algorithm>

namespace {

// 64 KiB with room for the name and colour the host and the peer add.
constexpr int kLineCharacters = 64 * 1024 - 64;

double mostMs(const QList<double>& seconds) {
    return seconds.isEmpty() ? 0 : *std::max_element(seconds.begin(), seconds.end()) * 1000;
}

// Prints one run's figures; false when the flood did not go through.
bool measure(bool joinServedHost) {
    colourflood::Settings settings;
    settings.lineCharacters = kLineCharacters;
    const int seconds = qEnvironmentVariableIntValue("COLOUR_FLOOD_SECONDS");
    settings.floodMs = (seconds > 0 ? seconds : 10) * 1000;
    settings.joinServedHost = joinServedHost;
    settings.delayedConnectLibrary = DELAYED_CONNECT_LIBRARY;
    const QString window = joinServedHost ? "joined" : "hosting";
    auto name = [&](const char* what) {
        return QString("colour flood, %1: %2").arg(window, what).toUtf8();
    };

    const colourflood::Outcome outcome = colourflood::run(settings);
    if (!outcome.failure.isEmpty()) {
        bench::printFailure(name("turns late (worst)"), outcome.failure.toUtf8().constData());
        return false;
    }
    const double rate = outcome.linesSent / outcome.floodSeconds;
    // The flood keeps a line waiting for every tick of the host's: the
    // rate is what the host manages to relay.
    bench::printFigure(name("64 KiB lines relayed a second"), rate, 0, "lines/s", "-", true);
    if (outcome.flooderDroppedAfter > 0) {
        const QByteArray why = QString("the host dropped the flooding peer after %1 s")
                                   .arg(outcome.flooderDroppedAfter, 0, 'f', 1)
                                   .toUtf8();
        bench::printFailure(name("the flood went through"), why.constData());
    }
    const bool caughtUp =
        outcome.windowRunning && outcome.turnsHandled.size() > outcome.turnsDuringFlood;
    if (caughtUp) {
        const double lagMs = mostMs(colourflood::turnLags(outcome));
        bench::printFigure(name("turns late (worst)"), lagMs, 0, "ms", "<= 100 ms", lagMs <= 100);
    } else {
        bench::printFailure(name("turns late (worst)"),
                            "the window had not caught up a minute after the flood");
    }
    if (!joinServedHost) {
        const double overrunMs = std::max(0.0, mostMs(outcome.rowOverruns));
        bench::printFigure(name("host's rows late (worst)"), overrunMs, 0, "ms", "<= 100 ms",
                           overrunMs <= 100);
    }
    // Whether the window can keep up on a core of its own, whatever else the
    // machine runs: its CPU time for each line of the flood.
    const double cpuMs = outcome.windowCpuSeconds * 1000 / std::max(1, outcome.linesSent);
    bench::printFigure(name("window CPU for each line"), cpuMs, 2, "ms", "< 10 ms (one tick)",
                       cpuMs < 10);
    bench::printFigure(name("window peak RSS (VmHWM)"), outcome.windowPeakMegabytes, 1, "MB",
                       "< 120 MB", outcome.windowPeakMegabytes < 120);
    return outcome.flooderDroppedAfter == 0 && caughtUp;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv); // the waits run its event loop
    const bool joined = measure(true);
    const bool hosting = measure(false);
    return joined && hosting ? 0 : 1;
}

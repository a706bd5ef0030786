// The game client's figures, measured on the built program in one run and
// printed as FIGURE lines (tab-separated: name, value, goal, met or MISSED)
// for the `make bench` table: start-up beside a minimal Qt Widgets program,
// the idle and animation cost of a solo program, and its peak memory
// through a whole game. Every program runs headless with folders of its own.
// CLIENT_FIGURES_IDLE_SECONDS shortens the idle measurement (default 30).
#include "event_wait.h"
#include "gui_process.h"
#include "hosting_window.h"

#include <QApplication>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

using testsupport::settle;

constexpr int kStartRuns = 11; // taken in turns, so both see the same machine
constexpr int kBreaks = 10;
constexpr int kBreakEveryMs = 1000; // a break with its set-up pause lasts about a second

void printFigure(const char* name, double value, int decimals, const char* unit, const char* goal,
                 bool met) {
    std::printf("FIGURE\t%s\t%.*f %s\t%s\t%s\n", name, decimals, value, unit, goal,
                met ? "met" : "MISSED");
    std::fflush(stdout);
}

void printFailure(const char* name, const QString& why) {
    std::printf("FIGURE\t%s\tfailed: %s\t\tMISSED\n", name, why.toUtf8().constData());
    std::fflush(stdout);
}

// User and system CPU time of a process, in seconds.
double cpuSeconds(qint64 pid) {
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    // The fields after the command name, which may hold blanks: utime and
    // stime are the 12th and 13th of them.
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return 0;
    return double(fields.at(11).toLongLong() + fields.at(12).toLongLong()) /
           double(::sysconf(_SC_CLK_TCK));
}

double peakResidentMegabytes(qint64 pid) {
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const auto match =
        QRegularExpression("VmHWM:\\s*(\\d+) kB").match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() ? match.captured(1).toDouble() / 1024 : 0;
}

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

// When the traced message that starts with prefix was handled; 0 if it never was.
double handledAt(GuiProcess& window, const QString& prefix, int timeoutMs = 20000) {
    if (window.waitForHandled(prefix, timeoutMs).isEmpty())
        return 0;
    for (const GuiProcess::Handled& entry : window.handled())
        if (entry.message.startsWith(prefix))
            return entry.at;
    return 0;
}

// From exec to the solo window's own arrival being handled; 0 on failure.
double soloStartSeconds() {
    QTemporaryDir home;
    GuiProcess solo(home.path(), 0, {"CMD_newplayerinfo"}, "1");
    const double started = monotonicSeconds();
    if (!solo.start({}))
        return 0;
    const double loggedIn = handledAt(solo, "CMD_newplayerinfo+1+You+");
    return loggedIn > 0 ? loggedIn - started : 0;
}

// From exec to the minimal program's window being shown; 0 on failure.
double minimalStartSeconds() {
    QProcess minimal;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    minimal.setProcessEnvironment(env);
    const double started = monotonicSeconds();
    minimal.start(MINIMAL_QT_WINDOW, QStringList());
    if (!minimal.waitForFinished(20000))
        return 0;
    const auto match = QRegularExpression("shown (\\S+)").match(minimal.readAllStandardOutput());
    return match.hasMatch() ? match.captured(1).toDouble() - started : 0;
}

void startUp() {
    QList<double> game, minimal;
    for (int run = 0; run < kStartRuns; ++run) {
        game.append(soloStartSeconds());
        minimal.append(minimalStartSeconds());
    }
    if (game.contains(0) || minimal.contains(0))
        return printFailure("client start-up", "a program did not start");
    const double gameMs = median(game) * 1000, minimalMs = median(minimal) * 1000;
    printFigure("start-up: minimal Qt Widgets window (median of 11)", minimalMs, 0, "ms", "-",
                true);
    printFigure("start-up: solo program to its own login (median of 11)", gameMs, 0, "ms",
                "< 2x the minimal window", gameMs < 2 * minimalMs);
    printFigure("start-up: solo program / minimal window", gameMs / minimalMs, 2, "x", "< 2",
                gameMs < 2 * minimalMs);
}

void idleCost() {
    const int seconds = qEnvironmentVariableIntValue("CLIENT_FIGURES_IDLE_SECONDS") > 0
                            ? qEnvironmentVariableIntValue("CLIENT_FIGURES_IDLE_SECONDS")
                            : 30;
    QTemporaryDir home;
    GuiProcess solo(home.path(), 0, {"CMD_newplayerinfo"}, "1");
    if (!solo.start({}) || handledAt(solo, "CMD_newplayerinfo+1+You+") == 0)
        return printFailure("solo idle CPU", "the solo program did not log in");
    settle(3000); // start-up work is over
    const double before = cpuSeconds(solo.pid());
    settle(seconds * 1000);
    const double percent = (cpuSeconds(solo.pid()) - before) / seconds * 100;
    const QByteArray name = QString("solo idle CPU over %1 s").arg(seconds).toUtf8();
    printFigure(name.constData(), percent, 2, "% of a core", "< 1 %", percent < 1);
}

// A solo program whose slot 1 a raw peer holds, so that the bench can start
// games in it: first the table's break over and over, then one whole game
// that Klot plays for the watching window.
void tableAndGame() {
    QTemporaryDir home;
    const quint16 port = freePort();
    GuiProcess solo(home.path(), port, {"CMD_newplayerinfo", "CMD_winner", "CMD_tiegame"}, "0.1");
    holdBackOwnClient(solo, DELAYED_CONNECT_LIBRARY);
    if (!solo.start({}))
        return printFailure("solo table and game", "the solo program did not start");
    const std::unique_ptr<testsupport::RawClient> rex = connectWhenListening(port);
    if (!rex || rex->logIn("Rex") != 1 || handledAt(solo, "CMD_newplayerinfo+2+You+") == 0)
        return printFailure("solo table and game", "no slot 1 for the bench's peer");
    settle(2000);

    const double before = cpuSeconds(solo.pid());
    for (int run = 0; run < kBreaks; ++run) {
        rex->send("CMD_startgame+Rex+most+1+"); // each start sets the table up again
        settle(kBreakEveryMs);
    }
    const double percent = (cpuSeconds(solo.pid()) - before) / (kBreaks * kBreakEveryMs) * 1e5;
    printFigure("solo CPU while the table plays its break", percent, 2, "% of a core", "< 5 %",
                percent < 5);

    rex->send("CMD_startgame+Rex+most+0+");
    rex->send("CMD_justwatch+1+1");
    rex->send("CMD_justwatch+2+1"); // Klot plays for the window's seat
    const bool ended = testsupport::waitFor(
        [&] { return solo.hasHandled("CMD_winner+") || solo.hasHandled("CMD_tiegame+"); }, 120000);
    if (!ended)
        return printFailure("solo peak RSS through a game", "the game did not end");
    const double megabytes = peakResidentMegabytes(solo.pid());
    printFigure("solo peak RSS (VmHWM) through a whole game", megabytes, 1, "MB", "< 120 MB",
                megabytes < 120);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv); // the waits run its event loop
    startUp();
    idleCost();
    tableAndGame();
    return 0;
}

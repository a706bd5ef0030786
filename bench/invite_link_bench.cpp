// "Link to seated, one network": a friend's running game window gets the
// invite link of a window that hosts for others on this computer (the link
// "Copy Invite Link" gives, so at this computer's best address) and is
// timed until its seats show its name. The player's part is played at
// once: Join is clicked the moment it wakes (a second after the question
// opens, a pause that is part of what a player waits). The host is a game
// window in a process of its own; the friend's window runs here.
#include "app/app_windows.h"
#include "app/join_addresses.h"
#include "event_wait.h"
#include "figure.h"
#include "gui_process.h"
#include "hosting_window.h"
#include "program_environment.h"
#include "tchat_probe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

using testsupport::waitFor;

constexpr char kFigure[] = "link to seated, one network";
constexpr int kRuns = 7;
constexpr double kGoalSeconds = 3;

bool seatedAs(const TchatProbe& probe, const QString& name) {
    for (int seat = 1; seat <= 5; ++seat) {
        if (probe.seats().nameLabel(seat)->text() == name)
            return true;
    }
    return false;
}

// Seconds from the link's arrival to the seat, or a negative value.
double linkToSeated(AppWindows& windows, const TchatProbe& probe, const QString& link) {
    QElapsedTimer clock;
    clock.start();
    windows.openLink(link);
    if (!windows.linkConfirmation.built())
        return -1;
    LinkConfirmation& question = windows.linkConfirmation();
    auto* join = question.findChild<QPushButton*>("button_join");
    if (!question.isVisible() || !waitFor([&] { return join->isEnabled(); }, 10000))
        return -1;
    question.findChild<QLineEdit*>("edit_name")->setText("Lin");
    const double clicked = double(clock.nsecsElapsed()) / 1e9;
    join->click();
    if (!waitFor([&] { return probe.state().connected && seatedAs(probe, "Lin"); }, 20000))
        return -1;
    const double seated = double(clock.nsecsElapsed()) / 1e9;
    std::fprintf(stderr, "seated after %.3f s (%.3f s after Join)\n", seated, seated - clicked);
    return seated;
}

int run() {
    QTemporaryDir annHome;
    const quint16 port = freePort();
    GuiProcess ann(annHome.path(), port, {"system"}, "1");
    const auto hosting = [&] {
        return ann.hasHandled("system+Others can join this table at ") ||
               ann.hasHandled("system+This computer has no network address");
    };
    if (!annHome.isValid() || port == 0 || !ann.start({"Ann", "0.0.0.0", "true"}) ||
        !waitFor(hosting, 20000)) {
        bench::printFailure(kFigure, "the hosting window did not start");
        return 1;
    }
    const QString link = joinaddresses::inviteLink(joinaddresses::ofThisComputer(), port);
    std::fprintf(stderr, "invite link: %s\n", link.toUtf8().constData());

    testsupport::ProgramEnvironment friendHome;
    friendHome.set("LUDOMYRA_PORT", "0"); // the friend's solo table, before the link
    AppWindows windows(QStringList{});
    const TchatProbe probe(windows.chat);
    probe.sounds().player = [](const QString&) {
    };
    windows.chat.show();
    if (!waitFor([&] { return probe.state().connected && probe.model().occupied(1); })) {
        bench::printFailure(kFigure, "the friend's window did not start");
        return 1;
    }
    QList<double> times;
    for (int run = 0; run < kRuns; ++run) {
        windows.chat.leaveTable(); // each run starts at no table
        if (!waitFor([&] { return !seatedAs(probe, "Lin"); })) {
            bench::printFailure(kFigure, "the friend's window did not leave the table");
            return 1;
        }
        const double seconds = linkToSeated(windows, probe, link);
        if (seconds < 0) {
            bench::printFailure(kFigure, "the friend was not seated");
            return 1;
        }
        times << seconds;
    }
    std::sort(times.begin(), times.end());
    const double median = times.at(times.size() / 2);
    bench::printFigure(kFigure, median, 2, "s", "< 3 s", median < kGoalSeconds);
    ann.terminate();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return run();
}

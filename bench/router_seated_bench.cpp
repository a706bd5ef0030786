// "Link to seated, through the router": a table hosted by a window behind a
// home router that forwards its port (miniupnpd, asked by the program), and
// friends' windows on "the internet" that join the router's outer address.
// Each friend is timed from its program's start to the moment it handles
// its own seat's arrival (the seats then show its name); the median of
// kRuns is printed. The friend starts with the address the invite link
// holds, as the link does once its question is answered.
#include "event_wait.h"
#include "figure.h"
#include "gui_process.h"
#include "router_lab.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

namespace {

constexpr const char* kFigure = "link to seated, through the router";
constexpr const char* kGoal = "< 10 s";
constexpr int kRuns = 5;
constexpr quint16 kPort = 27772;

int measure() {
    if (const QString why = RouterLab::unavailableReason(); !why.isEmpty()) {
        bench::printFailure(kFigure, why.toUtf8().constData());
        return 0;
    }
    RouterLab lab({.upnp = true, .natPmp = true});
    if (!lab.ready()) {
        bench::printFailure(kFigure, "the router lab could not be made");
        return 1;
    }
    QTemporaryDir annHome;
    GuiProcess ann(annHome.path(), kPort, {"system"}, "1");
    ann.setLauncher(lab.inside("home"));
    ann.start({"Ann", "0.0.0.0", "true"});
    static const QRegularExpression kWhere("can join at ([\\d.]+), port (\\d+)");
    const auto where = kWhere.match(ann.waitForHandled("system+Friends on the internet", 20000));
    if (!where.hasMatch()) {
        bench::printFailure(kFigure, "the router did not forward the table");
        return 1;
    }
    std::vector<double> seconds;
    for (int run = 1; run <= kRuns; ++run) {
        QTemporaryDir home;
        const QString name = QString("Friend%1").arg(run);
        GuiProcess friendWindow(home.path(), where.captured(2).toUShort(), {"CMD_newplayerinfo"},
                                "1");
        friendWindow.setLauncher(lab.inside("net"));
        const double started = monotonicSeconds();
        friendWindow.start({name, where.captured(1), "no"});
        const QRegularExpression ownSeat("^CMD_newplayerinfo\\+\\d+\\+" + name + "\\+");
        double seated = 0;
        testsupport::waitFor(
            [&] {
                for (const GuiProcess::Handled& handled : friendWindow.handled())
                    if (ownSeat.match(handled.message).hasMatch())
                        seated = handled.at;
                return seated != 0;
            },
            30000);
        if (seated == 0) {
            bench::printFailure(kFigure, "a friend was never seated");
            return 1;
        }
        seconds.push_back(seated - started);
        friendWindow.terminate();
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    bench::printFigure(kFigure, median, 2, "s", kGoal, median < 10);
    ann.terminate();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv); // the waits run its event loop
    return measure();
}

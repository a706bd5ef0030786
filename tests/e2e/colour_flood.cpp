#include "colour_flood.h"

#include "hosting_window.h"
#include "process_probe.h"
#include "serve_process.h"

#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

namespace colourflood {

namespace {

using testsupport::RawClient;
using testsupport::waitFor;

constexpr int kFloodIntervalMs = 10; // the host relays one message per socktimer tick
// Lines sent but not yet heard back from the host: enough that one always
// waits for the host's next tick, well under the 100 a host lets one
// connection keep waiting.
constexpr int kLinesInFlight = 50;
constexpr int kQuietTurns = 3; // rows timed before the flood, for the row clock
const char* const kColours[2] = {"clNavy", "clMaroon"};

QString floodLine(int number, int characters) {
    QString text = QString("line %1 ").arg(number);
    while (text.size() < characters)
        text += "flood ";
    text.truncate(characters);
    return QString("CMD_chat+3+%1|%2").arg(text, kColours[number % 2]);
}

// Rows of one word follow each other on the host's clock: the next row opens
// when the last one ran out.
bool sameWordRows(const GuiProcess::Handled& earlier, const GuiProcess::Handled& later) {
    return rowOf(later.message).toInt() == rowOf(earlier.message).toInt() + 1;
}

QList<double> rowLengths(const QList<GuiProcess::Handled>& turns, qsizetype from) {
    QList<double> lengths;
    for (qsizetype i = std::max<qsizetype>(from, 1); i < turns.size(); ++i)
        if (sameWordRows(turns.at(i - 1), turns.at(i)))
            lengths.append(turns.at(i).at - turns.at(i - 1).at);
    return lengths;
}

Outcome failed(const QString& why) {
    Outcome outcome;
    outcome.failure = why;
    return outcome;
}

constexpr const char* kTimeScale = "0.05"; // a row lasts 1.15 s

// Starts the game's host and Hal's window, with the raw peer Rex in slot 1
// and Hal in slot 2; Rex is null when that failed.
struct Table {
    quint16 port = 0;
    std::unique_ptr<ServeProcess> served;
    std::unique_ptr<GuiProcess> hal;
    std::unique_ptr<RawClient> rex;
};

Table setUpTable(const Settings& settings, const QTemporaryDir& hostHome,
                 const QTemporaryDir& halHome, const QStringList& traced) {
    Table table;
    quint16& port = table.port;
    if (settings.joinServedHost) {
        QProcessEnvironment env;
        env.insert("LUDOMYRA_HOME", hostHome.path());
        env.insert("LUDOMYRA_TIME_SCALE", kTimeScale);
        table.served = std::make_unique<ServeProcess>(env);
        port = table.served->start();
    } else {
        port = freePort();
    }
    if (port == 0)
        return table;
    table.hal = std::make_unique<GuiProcess>(halHome.path(), port, traced, kTimeScale);
    if (settings.joinServedHost) {
        table.rex = std::make_unique<RawClient>(port);
        if (table.rex->logIn("Rex") != 1 || !table.hal->join("Hal"))
            table.rex.reset();
    } else {
        holdBackOwnClient(*table.hal, settings.delayedConnectLibrary);
        if (table.hal->start({"Hal", "127.0.0.1", "true"})) {
            table.rex = connectWhenListening(port);
            if (table.rex && table.rex->logIn("Rex") != 1)
                table.rex.reset();
        }
    }
    if (table.rex && !table.rex->waitFor("CMD_newplayerinfo+2+Hal+0", 15000))
        table.rex.reset();
    return table;
}

} // namespace

void TurnWatch::poll() {
    const QStringList& messages = client_.messages();
    for (; seen_ < messages.size(); ++seen_)
        if (messages.at(seen_).startsWith("CMD_nextplayer+"))
            turns.append({monotonicSeconds(), messages.at(seen_)});
}

QList<GuiProcess::Handled> handledWith(GuiProcess& window, const QString& prefix) {
    QList<GuiProcess::Handled> found;
    for (const GuiProcess::Handled& entry : window.handled())
        if (entry.message.startsWith(prefix))
            found.append(entry);
    return found;
}

QString rowOf(const QString& turn) {
    return turn.section(u'+', 2, 2);
}

Outcome run(const Settings& settings) {
    QTemporaryDir hostHome, halHome;
    if (!hostHome.isValid() || !halHome.isValid())
        return failed("no home folders");
    QStringList traced{"CMD_nextplayer"};
    if (settings.traceLines)
        traced << "CMD_chat";
    const Table table = setUpTable(settings, hostHome, halHome, traced);
    if (!table.rex)
        return failed("Rex and Hal did not both log in" +
                      (table.hal ? ": " + table.hal->otherOutput() : QString()));
    GuiProcess& hal = *table.hal;
    RawClient* const rex = table.rex.get();
    RawClient flo(table.port);
    if (flo.logIn("Flo") != 3)
        return failed("the flooding peer did not get slot 3");
    rex->dropReceived("CMD_chat+");
    flo.dropReceived("CMD_chat+");

    // Hal lets every row run out; Rex and Flo sit out.
    rex->send("CMD_startgame+Rex+most+1+");
    rex->send("CMD_justwatch+1+1");
    flo.send("CMD_justwatch+3+1");
    TurnWatch turns(*rex);
    if (!waitFor(
            [&] {
                turns.poll();
                return turns.turns.size() >= kQuietTurns;
            },
            20000))
        return failed("the game did not start");
    const qsizetype quietTurns = turns.turns.size();

    // Both peers read all the while: the host relays the flood to the flooder
    // too, and drops a peer that leaves its lines unread.
    Outcome outcome;
    const double floodStart = monotonicSeconds();
    auto readBoth = [&] {
        turns.poll();
        flo.messages();
        if (outcome.flooderDroppedAfter == 0 && flo.closedByHost())
            outcome.flooderDroppedAfter = monotonicSeconds() - floodStart;
    };
    const std::int64_t cpuBefore = processprobe::cpuNanoseconds(pid_t(hal.pid()));
    QTimer flood;
    flood.setTimerType(Qt::PreciseTimer);
    // A late tick sends every line that is due, so the rate holds as long as
    // the host keeps up; when it falls behind, Flo waits for its lines to come
    // back. A send that waits for room runs the event loop: no tick may start
    // another line inside it.
    bool sending = false;
    QObject::connect(&flood, &QTimer::timeout, [&] {
        if (sending)
            return;
        sending = true;
        const int due = int((monotonicSeconds() - floodStart) * 1000 / kFloodIntervalMs);
        while (outcome.linesSent < due && outcome.linesSent - flo.droppedCount() < kLinesInFlight)
            flo.send(floodLine(++outcome.linesSent, settings.lineCharacters));
        sending = false;
        readBoth();
    });
    flood.start(kFloodIntervalMs);
    waitFor(
        [&] {
            readBoth();
            return false;
        },
        settings.floodMs);
    flood.stop();
    outcome.floodSeconds = monotonicSeconds() - floodStart;

    // The window has caught up once it handles a turn sent after the flood
    // (and the flood's last line, when it reports lines).
    readBoth();
    outcome.turnsDuringFlood = turns.turns.size();
    const QString lastLine = QString("CMD_chat+3+Flo chats: line %1 ").arg(outcome.linesSent);
    waitFor(
        [&] {
            readBoth();
            return handledWith(hal, "CMD_nextplayer+").size() > outcome.turnsDuringFlood &&
                   (!settings.traceLines || hal.hasHandled(lastLine));
        },
        60000);
    outcome.windowCpuSeconds =
        double(processprobe::cpuNanoseconds(pid_t(hal.pid())) - cpuBefore) / 1e9;
    outcome.turnsSent = turns.turns;
    outcome.turnsHandled = handledWith(hal, "CMD_nextplayer+");
    for (const GuiProcess::Handled& line : handledWith(hal, "CMD_chat+3+"))
        outcome.linesHandled.append(line.message.section(u' ', 3, 3).toInt());

    QList<double> quiet = rowLengths(turns.turns.mid(0, quietTurns), 0);
    std::sort(quiet.begin(), quiet.end());
    const double usualRow = quiet.isEmpty() ? 0 : quiet.at(quiet.size() / 2);
    for (double length : rowLengths(turns.turns, quietTurns))
        outcome.rowOverruns.append(length - usualRow);

    outcome.windowRunning = hal.running();
    outcome.windowPeakMegabytes = double(processprobe::peakResidentKiB(pid_t(hal.pid()))) / 1024;
    return outcome;
}

QList<double> turnLags(const Outcome& outcome) {
    QList<double> lags;
    const qsizetype both = std::min(outcome.turnsSent.size(), outcome.turnsHandled.size());
    for (qsizetype i = 0; i < both; ++i)
        lags.append(outcome.turnsHandled.at(i).at - outcome.turnsSent.at(i).at);
    return lags;
}

} // namespace colourflood

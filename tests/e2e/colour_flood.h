#pragma once

// A game in Hal's window while a raw peer floods the chat at the host's full
// relay rate, one line per 10 ms socktimer tick (or as fast as the host relays,
// if that is slower), with long lines whose colour flips with every line. Hal either hosts
// (`ludomyra Hal 127.0.0.1 true`): then the chat pane, the window's queue and the game host share
// one thread, and a line that costs too much holds up the host's own clock; or Hal joins `ludomyra
// --serve`, which relays at its own pace: then such a line fills the window's queue and its turns
// come late. Run by the flood test and by the benchmark that prints how late turns come.

#include "gui_process.h"
#include "raw_client.h"

#include <QList>
#include <QString>

namespace colourflood {

// A raw client's turn messages with the moment the caller first saw each.
class TurnWatch {
public:
    explicit TurnWatch(testsupport::RawClient& client) : client_(client) {}
    void poll();
    QList<GuiProcess::Handled> turns;

private:
    testsupport::RawClient& client_;
    qsizetype seen_ = 0;
};

// The messages the window handled that start with prefix, in order.
QList<GuiProcess::Handled> handledWith(GuiProcess& window, const QString& prefix);

// "CMD_nextplayer+SEAT+ROW+": every slot is told its own seat, so rows are compared.
QString rowOf(const QString& turn);

struct Settings {
    int lineCharacters = 16 * 1024; // the text of each line, before the host adds the name
    int floodMs = 8000;
    bool traceLines = false;       // the window reports each chat line it handles
    bool joinServedHost = false;   // else Hal hosts
    QString delayedConnectLibrary; // lets the raw peer take slot 1 when Hal hosts
};

struct Outcome {
    QString failure; // why the game could not be set up; empty when it ran
    int linesSent = 0;
    double floodSeconds = 0;
    // Turns as the raw peer of slot 1 received them, and as the window handled them.
    QList<GuiProcess::Handled> turnsSent;
    QList<GuiProcess::Handled> turnsHandled;
    qsizetype turnsDuringFlood = 0; // how many of turnsSent came before the flood ended
    // The numbers of the flood's lines the window handled, in order (traceLines only).
    QList<int> linesHandled;
    // The host's row clock: how much longer each row of the flood took than
    // the rows before it, in seconds.
    QList<double> rowOverruns;
    bool windowRunning = false;
    double flooderDroppedAfter = 0; // seconds into the flood; 0 when the host kept it
    double windowCpuSeconds = 0;    // Hal's window's, from the flood's start until it caught up
    double windowPeakMegabytes = 0; // VmHWM of Hal's window (the host's, when Hal hosts)
};

Outcome run(const Settings& settings);

// The window's lag behind the raw peer for each turn both saw, in seconds.
QList<double> turnLags(const Outcome& outcome);

} // namespace colourflood

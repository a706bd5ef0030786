// A peer chats as fast as the host relays (100 lines a second) while a game
// runs. A window handles its queue at a fixed pace, so turns reach its
// player late; it must still handle every turn and every line, in order,
// and stay connected. How late the turns come is printed, not asserted.
#include "colour_flood.h"
#include "gui_process.h"
#include "qstring_printer.h"
#include "raw_client.h"
#include "serve_process.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <numeric>

namespace {

using colourflood::handledWith;
using colourflood::rowOf;
using colourflood::TurnWatch;
using testsupport::RawClient;
using testsupport::waitFor;

constexpr int kFloodIntervalMs = 10;
constexpr int kFloodMs = 10000;

QString spreadOf(QList<double> seconds) {
    if (seconds.isEmpty())
        return "none";
    std::sort(seconds.begin(), seconds.end());
    return QString("least %1 s, median %2 s, most %3 s")
        .arg(seconds.first(), 0, 'f', 3)
        .arg(seconds.at(seconds.size() / 2), 0, 'f', 3)
        .arg(seconds.last(), 0, 'f', 3);
}

TEST(ChatFlood, AWindowBehindAChatFloodHandlesEveryTurnAndLineInOrder) {
    QTemporaryDir hostHome, calHome;
    ASSERT_TRUE(hostHome.isValid() && calHome.isValid());
    QProcessEnvironment env;
    env.insert("LUDOMYRA_HOME", hostHome.path());
    env.insert("LUDOMYRA_TIME_SCALE", "0.05"); // a row lasts 1.15 s
    ServeProcess host(env);
    const quint16 port = host.start();
    ASSERT_NE(port, 0);

    RawClient ann(port), bob(port);
    ASSERT_EQ(ann.logIn("Ann"), 1);
    ASSERT_EQ(bob.logIn("Bob"), 2);
    GuiProcess cal(calHome.path(), port, {"CMD_nextplayer", "CMD_chat", "system", "choices"},
                   "0.05");
    ASSERT_TRUE(cal.join("Cal"));
    ASSERT_TRUE(ann.waitFor("CMD_newplayerinfo+3+Cal+0", 15000));
    RawClient flo(port);
    ASSERT_EQ(flo.logIn("Flo"), 4);

    // Bob and Cal let every row run out; Ann and Flo sit out.
    ann.send("CMD_startgame+Ann+most+1+");
    ann.send("CMD_justwatch+1+1");
    flo.send("CMD_justwatch+4+1");
    ASSERT_TRUE(flo.waitFor("CMD_justwatching+4+1"));

    int lines = 0;
    QTimer flood;
    QObject::connect(&flood, &QTimer::timeout,
                     [&] { flo.send(QString("CMD_chat+4+line %1|clBlack").arg(++lines)); });
    flood.start(kFloodIntervalMs);
    TurnWatch bobsTurns(bob);
    waitFor(
        [&] {
            bobsTurns.poll();
            return false;
        },
        kFloodMs);
    flood.stop();
    const QString lastLine = QString("CMD_chat+4+Flo chats: line %1|clBlack").arg(lines);
    ASSERT_TRUE(ann.waitFor(lastLine, 10000)); // the host relayed the whole flood
    EXPECT_FALSE(ann.messages().contains("CMD_playerdisconnected+4+Flo"));
    bobsTurns.poll();
    const QList<GuiProcess::Handled> turnsSent = bobsTurns.turns;
    ASSERT_GE(turnsSent.size(), 5);

    EXPECT_EQ(cal.waitForHandled(lastLine, 60000), lastLine) << cal.otherOutput().toStdString();
    EXPECT_TRUE(cal.running());
    EXPECT_EQ(handledWith(cal, "CMD_chat+4+").size(), lines);
    ASSERT_TRUE(
        waitFor([&] { return handledWith(cal, "CMD_nextplayer+").size() >= turnsSent.size(); }));
    const QList<GuiProcess::Handled> turnsHandled = handledWith(cal, "CMD_nextplayer+");
    QList<double> lags;
    for (qsizetype i = 0; i < turnsSent.size(); ++i) {
        EXPECT_EQ(turnsHandled.at(i).message,
                  "CMD_nextplayer+3+" + rowOf(turnsSent.at(i).message) + "+");
        lags.append(turnsHandled.at(i).at - turnsSent.at(i).at);
    }
    std::printf("turn lag behind %d chat lines in %d s: %lld turns, %s\n", lines, kFloodMs / 1000,
                static_cast<long long>(turnsSent.size()), qPrintable(spreadOf(lags)));
    EXPECT_TRUE(host.terminate());
    EXPECT_TRUE(cal.waitForEnding("The host closed the table."));
    EXPECT_TRUE(cal.terminate());
}

// The same in the hosting player's own window, with long lines whose colour
// flips with every line: each line recoloured all earlier lines of its
// sender, so the pane fell further behind with every line it held, and the
// host, which shares the window's thread, fell behind with it.
TEST(ChatFlood, AHostingWindowBehindAColourFlippingFloodOfLongLinesHandlesEveryTurn) {
    colourflood::Settings settings;
    settings.traceLines = true;
    settings.delayedConnectLibrary = DELAYED_CONNECT_LIBRARY;
    const colourflood::Outcome outcome = colourflood::run(settings);
    ASSERT_TRUE(outcome.failure.isEmpty()) << outcome.failure.toStdString();
    EXPECT_TRUE(outcome.windowRunning);
    EXPECT_EQ(outcome.flooderDroppedAfter, 0);

    QList<int> everyLine(outcome.linesSent);
    std::iota(everyLine.begin(), everyLine.end(), 1);
    EXPECT_EQ(outcome.linesHandled, everyLine);
    ASSERT_GT(outcome.turnsHandled.size(), outcome.turnsDuringFlood);
    for (qsizetype i = 0; i < outcome.turnsHandled.size() && i < outcome.turnsSent.size(); ++i)
        EXPECT_EQ(rowOf(outcome.turnsHandled.at(i).message), rowOf(outcome.turnsSent.at(i).message))
            << "turn " << i;

    std::printf("colour flood of %d lines of %d characters in %.1f s, hosting window:\n"
                "  turn lag %s\n  host's rows longer than usual by %s\n"
                "  host CPU %.2f ms a line, peak RSS (VmHWM) %.1f MB\n",
                outcome.linesSent, settings.lineCharacters, outcome.floodSeconds,
                qPrintable(spreadOf(colourflood::turnLags(outcome))),
                qPrintable(spreadOf(outcome.rowOverruns)),
                outcome.windowCpuSeconds * 1000 / outcome.linesSent, outcome.windowPeakMegabytes);
}

} // namespace

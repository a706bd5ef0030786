// Whole games of every type against `ludomyra --serve`, with game windows
// running as processes of their own: a raw peer in slot 1 starts the game,
// a raw peer that solves words plays it, one window sits at the table from
// the start and another joins in the middle. Each window must follow the
// game to its winner, count it in its tally, stay with the next table's
// choices when the host goes, and close cleanly when the system ends it.
#include "gui_process.h"
#include "qstring_printer.h"
#include "serve_process.h"
#include "solving_peer.h"
#include "tally/tallyfile.h"
#include "tally/tlzrw1.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>

namespace {

using testsupport::RawClient;
using testsupport::waitFor;

const QStringList kTraced{"CMD_newplayerinfo", "CMD_gamestats", "CMD_ballowners", "CMD_theyown",
                          "CMD_winner",        "CMD_tiegame",   "system",         "choices"};
const QString kHostClosed = "The host closed the table.";
const QString kHostLost = "The connection to the host was lost.";

QString tallyPath(const QTemporaryDir& home) {
    return home.filePath("Ludomyratally.tld");
}

// The window's player already follows `name` in the tally.
bool followInTally(const QTemporaryDir& home, const QString& name) {
    Tlzrw1 compressor;
    compressor.setCompressMode(Tlzrw1::Fast);
    TallyGrid grid;
    grid.addRow(name);
    return TallyFile(tallyPath(home), compressor).save(grid);
}

std::optional<TallyGrid> readTally(const QTemporaryDir& home) {
    Tlzrw1 compressor;
    return TallyFile(tallyPath(home), compressor).read().grid;
}

class WindowsInAGame : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        for (const QTemporaryDir* dir : {&hostHome, &calHome, &deeHome})
            ASSERT_TRUE(dir->isValid());
        QFile ini(hostHome.filePath("glenmorra.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Ludomyra]\r\nBetweenrounds=5\r\n");
        ini.close();
        host = startHost();
        ASSERT_NE(port, 0);
    }
    std::unique_ptr<ServeProcess> startHost() {
        QProcessEnvironment env;
        env.insert("LUDOMYRA_HOME", hostHome.path());
        env.insert("LUDOMYRA_TIME_SCALE", "0.01"); // a row lasts 230 ms
        auto started = std::make_unique<ServeProcess>(env);
        port = started->start();
        return started;
    }
    // Lets the solver answer its turns until done() holds.
    bool playUntil(SolvingPeer& solver, const std::function<bool()>& done, int timeoutMs) {
        return waitFor(
            [&] {
                solver.play();
                return done();
            },
            timeoutMs);
    }
    static qsizetype indexOf(RawClient& client, const QString& message) {
        return client.messages().indexOf(message);
    }

    QTemporaryDir hostHome, calHome, deeHome;
    std::unique_ptr<ServeProcess> host;
    quint16 port = 0;
};

TEST_P(WindowsInAGame, BothWindowsFollowTheGameToItsWinnerAndCountItInTheTally) {
    const QString type = GetParam();
    const bool nine = type == "nine";
    RawClient ann(port);
    ASSERT_EQ(ann.logIn("Ann"), 1);
    SolvingPeer bob(port, "Bob");
    ASSERT_TRUE(bob.logIn());
    ASSERT_EQ(bob.slot, "2");
    ASSERT_TRUE(followInTally(calHome, "Bob"));
    GuiProcess cal(calHome.path(), port, kTraced);
    ASSERT_TRUE(cal.join("Cal"));
    ASSERT_TRUE(ann.waitFor("CMD_newplayerinfo+3+Cal+0", 15000)) << cal.otherOutput().toStdString();

    ann.send("CMD_startgame+Ann+" + type + "+1+"); // Klot stays out: Bob's finds decide
    if (nine) {
        // One seat at a time guesses, and a seat that never guesses would
        // get every next word: Ann and Cal sit out.
        ann.send("CMD_justwatch+1+1");
        ann.send("CMD_justwatch+3+1");
    }
    ASSERT_TRUE(playUntil(
        bob, [&] { return !bob.finds.isEmpty(); }, 20000));

    // Dee joins while the game runs, Bob waiting meanwhile so that it does.
    bob.holding = true;
    GuiProcess dee(deeHome.path(), port, kTraced);
    ASSERT_TRUE(dee.join("Dee"));
    ASSERT_TRUE(ann.waitFor("CMD_newplayerinfo+4+Dee+0", 15000)) << dee.otherOutput().toStdString();
    EXPECT_TRUE(dee.waitForHandled("CMD_gamestats+" + type + "+").size() > 0);
    if (type == "race")
        EXPECT_TRUE(dee.waitForHandled("CMD_theyown+").startsWith("CMD_theyown+1+0+2+1+"));
    else
        EXPECT_TRUE(dee.waitForHandled("CMD_ballowners+").startsWith("CMD_ballowners+1+2+"));
    bob.play();
    EXPECT_FALSE(bob.sawGameEnd());

    qsizetype deeLeft = -1;
    if (nine) {
        // A player leaves in the middle of a nine-ball game.
        dee.signal(SIGTERM);
        ASSERT_TRUE(ann.waitFor("CMD_playerdisconnected+4+Dee"));
        deeLeft = indexOf(ann, "CMD_playerdisconnected+4+Dee");
    }
    bob.holding = false;
    ASSERT_TRUE(playUntil(
        bob, [&] { return bob.sawGameEnd(); }, 45000));
    EXPECT_TRUE(bob.client.messages().contains("CMD_winner+2+"));
    EXPECT_TRUE(bob.wrongMarks.isEmpty()) << bob.wrongMarks.join(", ").toStdString();
    if (nine) { // the game went on after Dee had gone
        const QStringList after = ann.messages().mid(deeLeft);
        EXPECT_FALSE(after.filter(QRegularExpression("^CMD_heguessed\\+2\\+")).isEmpty());
    }

    EXPECT_EQ(cal.waitForHandled("CMD_winner+"), "CMD_winner+2+")
        << cal.otherOutput().toStdString();
    EXPECT_TRUE(cal.running());
    // Cal follows Bob; Ann, played but not followed, is offered to the tally.
    EXPECT_FALSE(cal.waitForHandled("system+Count your games with Ann? Tick Ann in View Tally; "
                                    "this game counts too.")
                     .isEmpty());
    EXPECT_FALSE(cal.hasHandled("system+Count your games with Bob?"));
    if (!nine) {
        EXPECT_EQ(dee.waitForHandled("CMD_winner+"), "CMD_winner+2+")
            << dee.otherOutput().toStdString();
        EXPECT_TRUE(dee.running());
    }
    // The host goes, ended (it says goodbye) or killed (its system closes the
    // connections without a word): every window stays, says which, offers
    // the next table, and closes cleanly when the system ends it.
    const bool killed = type == "race";
    if (killed) {
        host->process().kill();
    } else {
        EXPECT_TRUE(host->terminate());
    }
    const QString ending = killed ? kHostLost : kHostClosed;
    EXPECT_TRUE(cal.waitForEnding(ending)) << cal.otherOutput().toStdString();
    if (!nine) {
        EXPECT_TRUE(dee.waitForEnding(ending)) << dee.otherOutput().toStdString();
        EXPECT_TRUE(dee.terminate()) << dee.otherOutput().toStdString();
    }
    EXPECT_TRUE(cal.running());
    EXPECT_TRUE(cal.terminate()) << cal.otherOutput().toStdString();

    // Cal's tally counts the game, lost to the followed Bob, and still does
    // after Cal has been run again (which loads the tally and saves it at exit).
    const auto expectOneGameLostToBob = [&](int sessionGames) {
        const std::optional<TallyGrid> tally = readTally(calHome);
        ASSERT_TRUE(tally.has_value());
        EXPECT_EQ(tally->count(TallyGrid::kMyGames, 0), 1);
        EXPECT_EQ(tally->count(TallyGrid::kMyWins, 0), 0);
        ASSERT_EQ(tally->rowCount(), 2);
        EXPECT_EQ(tally->cell(TallyGrid::Name, 1), "Bob");
        EXPECT_EQ(tally->count(TallyGrid::Games, 1), 1);
        EXPECT_EQ(tally->count(TallyGrid::HisWins, 1), 1);
        EXPECT_EQ(tally->count(TallyGrid::SessionGames, 1), sessionGames);
    };
    expectOneGameLostToBob(1);
    host = startHost();
    ASSERT_NE(port, 0);
    GuiProcess calAgain(calHome.path(), port, kTraced);
    ASSERT_TRUE(calAgain.join("Cal"));
    EXPECT_FALSE(calAgain.waitForHandled("CMD_newplayerinfo+1+Cal+").isEmpty());
    EXPECT_TRUE(host->terminate());
    EXPECT_TRUE(calAgain.waitForEnding(kHostClosed)) << calAgain.otherOutput().toStdString();
    EXPECT_TRUE(calAgain.terminate()) << calAgain.otherOutput().toStdString();
    expectOneGameLostToBob(0); // a new run starts a new session
}

INSTANTIATE_TEST_SUITE_P(EveryGameType, WindowsInAGame,
                         ::testing::Values("high", "most", "nine", "race"),
                         [](const auto& info) { return std::string(info.param); });

} // namespace

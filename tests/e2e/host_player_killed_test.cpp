// The hosting player's program dies mid-game (SIGKILL): a game window that
// joined it and a raw peer both lose their host. Its system closes the
// connections as the host itself would, but without the host's goodbye: the
// window tries for its seat, then says the connection was lost, stays with
// the next table's choices, and closes cleanly later. Ended on purpose
// instead, the host says goodbye first, and the window says it was closed.
#include "hosting_window.h"
#include "qstring_printer.h"

#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>

namespace {

using testsupport::RawClient;
using testsupport::waitFor;

TEST(HostPlayerKilled, TheJoinedWindowStaysWithItsChoicesAndTheRawPeerSeesTheClose) {
    QTemporaryDir annHome, bobHome;
    ASSERT_TRUE(annHome.isValid() && bobHome.isValid());
    const quint16 port = freePort();
    ASSERT_NE(port, 0);

    // Ann hosts; her own client is held back a second, so the raw peer gets
    // slot 1 and can start a game (nobody can press Ann's start button here).
    GuiProcess ann(annHome.path(), port, {}, "0.05");
    holdBackOwnClient(ann, DELAYED_CONNECT_LIBRARY);
    ASSERT_TRUE(ann.start({"Ann", "127.0.0.1", "true"}));
    std::unique_ptr<RawClient> raw = connectWhenListening(port);
    ASSERT_NE(raw, nullptr) << ann.otherOutput().toStdString();
    ASSERT_EQ(raw->logIn("Rex"), 1);
    ASSERT_TRUE(raw->waitFor("CMD_newplayerinfo+2+Ann+0", 15000));

    GuiProcess bob(bobHome.path(), port, {"CMD_nextplayer", "system", "choices"}, "0.05");
    ASSERT_TRUE(bob.join("Bob"));
    ASSERT_TRUE(raw->waitFor("CMD_newplayerinfo+3+Bob+0", 15000))
        << bob.otherOutput().toStdString();
    raw->send("CMD_startgame+Rex+high+0+");
    ASSERT_FALSE(bob.waitForHandled("CMD_nextplayer+3+1+").isEmpty());

    ann.signal(SIGKILL);
    EXPECT_TRUE(waitFor([&] { return raw->closedByHost(); }, 10000));
    EXPECT_TRUE(bob.waitForEnding("The connection to the host was lost."))
        << bob.otherOutput().toStdString();
    EXPECT_FALSE(bob.hasHandled("system+The host closed the table."));
    EXPECT_TRUE(bob.running());
    EXPECT_TRUE(bob.terminate()) << bob.otherOutput().toStdString();
}

// The same table ended on purpose (SIGTERM, as Ctrl+C or logging out does):
// the host says goodbye before it closes, and the window says the table was
// closed, with no tries for its seat.
TEST(HostPlayerKilled, AHostingProgramThatEndsOnPurposeClosesTheTable) {
    QTemporaryDir annHome, bobHome;
    ASSERT_TRUE(annHome.isValid() && bobHome.isValid());
    const quint16 port = freePort();
    ASSERT_NE(port, 0);

    GuiProcess ann(annHome.path(), port, {}, "0.05");
    ASSERT_TRUE(ann.start({"Ann", "127.0.0.1", "true"}));
    std::unique_ptr<RawClient> raw = connectWhenListening(port);
    ASSERT_NE(raw, nullptr) << ann.otherOutput().toStdString();
    ASSERT_GT(raw->logIn("Rex"), 0);
    GuiProcess bob(bobHome.path(), port, {"system", "choices"}, "0.05");
    ASSERT_TRUE(bob.join("Bob"));
    ASSERT_TRUE(waitFor([&] { return !raw->messages().filter("+Bob+").isEmpty(); }, 15000))
        << bob.otherOutput().toStdString();

    EXPECT_TRUE(ann.terminate()) << ann.otherOutput().toStdString();
    EXPECT_TRUE(waitFor([&] { return raw->closedByHost(); }, 10000));
    EXPECT_EQ(raw->messages().last(), "CMD_goodbye+");
    EXPECT_TRUE(bob.waitForEnding("The host closed the table.")) << bob.otherOutput().toStdString();
    EXPECT_FALSE(bob.hasHandled("system+The connection to the host was lost."));
    EXPECT_TRUE(bob.terminate()) << bob.otherOutput().toStdString();
}

} // namespace

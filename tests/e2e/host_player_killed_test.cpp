// The hosting player's program dies mid-game (SIGKILL): a game window that
// joined it and a raw peer both lose their host, and the window closes as
// cleanly as when a host ends its game.
#include "gui_process.h"
#include "qstring_printer.h"
#include "raw_client.h"

#include <QTcpServer>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>

namespace {

using hosttest::RawClient;
using testsupport::waitFor;

// A port that was free a moment ago: the hosting window listens where
// LUDOMYRA_PORT says and tells nobody, so the test picks the port.
quint16 freePort() {
    QTcpServer probe;
    return probe.listen(QHostAddress::AnyIPv4, 0) ? probe.serverPort() : 0;
}

// Connects as soon as the host listens.
std::unique_ptr<RawClient> connectWhenListening(quint16 port) {
    std::unique_ptr<RawClient> client;
    waitFor(
        [&] {
            try {
                client = std::make_unique<RawClient>(port);
            } catch (const std::runtime_error&) {
            }
            return client != nullptr;
        },
        15000);
    return client;
}

TEST(HostPlayerKilled, TheJoinedWindowClosesCleanlyAndTheRawPeerSeesTheClose) {
    QTemporaryDir annHome, bobHome;
    ASSERT_TRUE(annHome.isValid() && bobHome.isValid());
    const quint16 port = freePort();
    ASSERT_NE(port, 0);

    // Ann hosts; her own client is held back a second, so the raw peer gets
    // slot 1 and can start a game (nobody can press Ann's start button here).
    GuiProcess ann(annHome.path(), port, {}, "0.05");
    ann.setEnvironment("LD_PRELOAD", DELAYED_CONNECT_LIBRARY);
    ann.setEnvironment("LUDOMYRA_CONNECT_DELAY_MS", "1000");
    ASSERT_TRUE(ann.start({"Ann", "127.0.0.1", "true"}));
    std::unique_ptr<RawClient> raw = connectWhenListening(port);
    ASSERT_NE(raw, nullptr) << ann.otherOutput().toStdString();
    ASSERT_EQ(raw->logIn("Rex"), 1);
    ASSERT_TRUE(raw->waitFor("CMD_newplayerinfo+2+Ann+0", 15000));

    GuiProcess bob(bobHome.path(), port, {"CMD_nextplayer"}, "0.05");
    ASSERT_TRUE(bob.join("Bob"));
    ASSERT_TRUE(raw->waitFor("CMD_newplayerinfo+3+Bob+0", 15000))
        << bob.otherOutput().toStdString();
    raw->send("CMD_startgame+Rex+high+0+");
    ASSERT_FALSE(bob.waitForHandled("CMD_nextplayer+3+1+").isEmpty());

    ann.signal(SIGKILL);
    EXPECT_TRUE(waitFor([&] { return raw->closedByHost(); }, 10000));
    EXPECT_TRUE(bob.waitForCleanExit()) << bob.otherOutput().toStdString();
}

} // namespace

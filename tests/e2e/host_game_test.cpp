// A short game over real loopback sockets: `ludomyra --serve` with a fast clock,
// two raw clients that solve words from the marks they are sent, and a third
// connection that sends garbage, floods and forgeries while they play.
#include "qstring_printer.h"
#include "raw_client.h"
#include "serve_process.h"
#include "solving_peer.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

using testsupport::RawClient;

class HostGame : public ::testing::Test {
protected:
    void SetUp() override {
        // A row of 23 ticks lasts under half a second.
        QProcessEnvironment env = fastHostEnvironment(home, 0.02);
        ASSERT_FALSE(env.isEmpty());
        env.insert("LUDOMYRA_SEED", "7772");
        host = std::make_unique<ServeProcess>(env);
        hostPort = host->start();
        ASSERT_NE(hostPort, 0);
    }
    quint16 port() const { return hostPort; }

    QTemporaryDir home;
    std::unique_ptr<ServeProcess> host;
    quint16 hostPort = 0;
};

TEST_F(HostGame, TwoClientsPlayAMostBallsGameToItsEndWhileAThirdMisbehaves) {
    ASSERT_EQ(builtInDictionary().size(), 8620); // the players solve from it
    SolvingPeer ann(port(), "Ann", SolvingPeer::Pick::First);
    ASSERT_TRUE(ann.logIn());
    SolvingPeer bob(port(), "Bob", SolvingPeer::Pick::Last);
    ASSERT_TRUE(bob.logIn());
    ASSERT_EQ(ann.slot, "1");
    ASSERT_EQ(bob.slot, "2");
    ASSERT_TRUE(bob.client.waitFor("CMD_existingplayers+1+Ann+0"));

    ann.client.send("CMD_startgame+Ann+most+1+");
    ASSERT_TRUE(bob.client.waitFor("CMD_startgame+Ann+most+1+"));

    RawClient eve(port());
    ASSERT_EQ(eve.logIn("Eve"), 3);
    ASSERT_TRUE(eve.waitFor("CMD_newplayerinfo+3+Eve+0"));
    eve.send("CMD_startgame+Eve+high+1+"); // not the host player
    eve.send("CMD_myword+1+ABOUT+");       // not her slot
    eve.sendBytes("\xFF\xFFgarbage\xFF+\xFF"
                  "CMD_chat+abc\xFF");
    eve.sendBytes(QByteArray(70000, 'x')); // never ends

    const bool over = testsupport::waitFor(
        [&] {
            ann.play();
            bob.play();
            return ann.sawGameEnd() && bob.sawGameEnd();
        },
        90000);
    ASSERT_TRUE(over);
    EXPECT_TRUE(eve.closedByHost());
    EXPECT_TRUE(ann.client.messages().contains("CMD_playerdisconnected+3+Eve"));
    EXPECT_EQ(ann.client.messages().filter("CMD_startgame+").size(), 1); // Eve's was dropped

    // Both saw the same finds, enough to end a "most" game, each found with
    // its own last guess; every mark shown agrees with the word revealed.
    EXPECT_EQ(ann.finds, bob.finds);
    EXPECT_GE(ann.finds.size(), 5);
    EXPECT_LE(ann.finds.size(), 9);
    EXPECT_TRUE(ann.wrongMarks.isEmpty()) << ann.wrongMarks.join(", ").toStdString();
    EXPECT_TRUE(bob.wrongMarks.isEmpty()) << bob.wrongMarks.join(", ").toStdString();
    EXPECT_GT(ann.checkedMarks + bob.checkedMarks, ann.finds.size());
    EXPECT_TRUE(host->terminate());
}

} // namespace

// A game window that joins a dedicated `ludomyra --serve` host and is given
// slot 1 has the host player's say: it starts games from its own options.
// The say stays with whoever has sat at the table longest.
#include "client/chat/chat_entry.h"
#include "client/chat/chat_pane.h"
#include "client/chat/colour_text.h"
#include "client/look/message_box.h"
#include "client/tchat.h"
#include "client/tgamestart.h"
#include "program_environment.h"
#include "qstring_printer.h"
#include "raw_client.h"
#include "serve_process.h"
#include "solving_peer.h"
#include "tchat_probe.h"

#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <csignal>
#include <gtest/gtest.h>

namespace {

using testsupport::waitFor;

TEST(ServeClient, TheWindowInSlotOneStartsAGameOnADedicatedHost) {
    testsupport::ProgramEnvironment home;
    ASSERT_TRUE(home.isValid());
    ServeProcess serve;
    const quint16 port = serve.start();
    ASSERT_NE(port, 0);

    Tchat window;
    Tgamestart options(window.gameChoice(), [&window] { window.startGame(); });
    window.show();
    window.joinHost("Ann", "127.0.0.1", QString::number(port));
    const TchatProbe probe(window);
    ASSERT_TRUE(waitFor([&] { return probe.model().occupied(1); }));
    EXPECT_EQ(probe.state().myseat, 1);
    EXPECT_TRUE(probe.menu().StartGame1->isEnabled());
    EXPECT_TRUE(probe.startButton().isVisible());

    testsupport::RawClient bob(port);
    ASSERT_EQ(bob.logIn("Bob"), 2);
    ASSERT_TRUE(waitFor([&] { return probe.seats().nameLabel(2)->text() == "Bob"; }));

    probe.menu().StartGame1->trigger();
    options.image_1Click(3);
    options.button_startClick();
    EXPECT_TRUE(bob.waitFor("CMD_startgame+Ann+nine+0+"));
    EXPECT_FALSE(bob.waitForPrefix("CMD_loadball+").isEmpty());
    EXPECT_TRUE(serve.terminate());
    EXPECT_TRUE(waitFor([&] { return probe.sessionEnded(); })); // the host went; the window stays
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(probe.sessionEnd().reason(), "The host closed the table.");
}

// At a dedicated host the player in slot 1 is a player like any other: when
// they leave after a game, the window that logged in next gets Start Game,
// and the host takes the next game from it.
TEST(ServeClient, WhenSlotOneLeavesTheNextSeatStartsTheNextGame) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    ServeProcess serve(fastHostEnvironment(home, 0.01));
    const quint16 port = serve.start();
    ASSERT_NE(port, 0);
    SolvingPeer ann(port, "Ann");
    ASSERT_TRUE(ann.logIn());
    ASSERT_EQ(ann.slot, "1");

    const testsupport::ProgramEnvironment windowHome;
    Tchat window;
    Tgamestart options(window.gameChoice(), [&window] { window.startGame(); });
    window.show();
    window.joinHost("Bob", "127.0.0.1", QString::number(port));
    const TchatProbe probe(window);
    ASSERT_TRUE(waitFor([&] { return probe.model().occupied(2); })); // Bob before Cid
    testsupport::RawClient cid(port);
    ASSERT_EQ(cid.logIn("Cid"), 3);
    ASSERT_TRUE(waitFor([&] { return probe.model().occupied(3); }));
    EXPECT_EQ(probe.state().myseat, 2);
    EXPECT_FALSE(probe.menu().StartGame1->isEnabled());

    ann.client.send("CMD_startgame+Ann+most+1+");
    ASSERT_TRUE(waitFor(
        [&] {
            ann.play();
            return ann.sawGameEnd();
        },
        30000));
    ASSERT_TRUE(waitFor([&] { return probe.chatText().contains(" Won"); }));
    EXPECT_FALSE(probe.startButton().isVisible()); // Ann's, while she is there
    ann.client.close();
    ASSERT_TRUE(waitFor([&] { return probe.startButton().isVisible(); }));
    EXPECT_TRUE(probe.menu().StartGame1->isEnabled());

    options.image_1Click(1);
    options.button_startClick();
    EXPECT_FALSE(cid.waitForPrefix("CMD_startgame+Bob+").isEmpty());
    EXPECT_FALSE(cid.waitForPrefix("CMD_loadball+").isEmpty());
    EXPECT_TRUE(serve.terminate());
}

// A window logged in at a dedicated host, for the tests below.
class ServeWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        port = serve.start();
        ASSERT_NE(port, 0);
    }

    void join(const QString& name, int expectedSlot) {
        window.show();
        window.joinHost(name, "127.0.0.1", QString::number(port));
        ASSERT_TRUE(waitFor([&] { return probe.model().occupied(expectedSlot); }));
        ASSERT_EQ(probe.state().myseat, expectedSlot);
    }
    QString seatName(int seat) const { return probe.seats().nameLabel(seat)->text(); }
    // "Remove From Game" in the seat's popup, as the player right-clicks it;
    // false when the item is not offered.
    bool removeWithSeatPopup(int seat) {
        emit probe.seats().nameLabel(seat)->customContextMenuRequested(QPoint(2, 2));
        auto* removeFromGame = probe.seats().popup()->findChild<QAction*>("RemoveFromGame1");
        const bool offered = removeFromGame && removeFromGame->isEnabled();
        if (offered)
            removeFromGame->trigger();
        probe.seats().popup()->hide();
        return offered;
    }
    void signalHost(int number) { ::kill(pid_t(serve.process().processId()), number); }

    testsupport::ProgramEnvironment home;
    ServeProcess serve;
    quint16 port = 0;
    Tchat window;
    const TchatProbe probe{window};
};

// A login name that is empty or made only of invisible characters gets a
// stand-in from the host: everyone sees the player, the host player can
// remove them.
TEST_F(ServeWindow, PlayersWithoutAUsableNameAreSeenAndCanBeRemoved) {
    join("Ann", 1);
    testsupport::RawClient blank(port), hidden(port), padded(port);
    ASSERT_EQ(blank.logIn(""), 2);
    ASSERT_EQ(hidden.logIn("\x07\u200E\u2028\u2029\u00AD "), 3);
    ASSERT_EQ(padded.logIn("  Dee\u202E "), 4);
    EXPECT_TRUE(padded.waitFor("CMD_existingplayers+1+Ann+0+2+Player 2+0+3+Player 3+0"));
    ASSERT_TRUE(waitFor([&] { return seatName(4) == "Dee"; }));
    EXPECT_EQ(seatName(2), "Player 2");
    EXPECT_EQ(seatName(3), "Player 3");

    EXPECT_TRUE(removeWithSeatPopup(3));
    EXPECT_TRUE(waitFor([&] { return hidden.closedByHost(); }));
    EXPECT_TRUE(waitFor([&] { return seatName(3) == "<Waiting>"; }));
    EXPECT_TRUE(probe.chatText().contains("Player 3 disconnected."));
}

// Only the window itself writes system lines, in dark green. Whatever peers
// send (a game start under another name, an action from a player without a
// name, the system colour or one close to it, line and paragraph separators)
// reaches the pane as one line that starts with the sender's name, in a
// colour well apart from the system lines'.
TEST_F(ServeWindow, PeersCannotWriteLinesThatPassForTheGamesOwn) {
    testsupport::RawClient bob(port);
    ASSERT_EQ(bob.logIn("Bob"), 1); // slot 1 starts games
    join("Ann", 2);
    testsupport::RawClient blank(port);
    ASSERT_EQ(blank.logIn(""), 3);
    ASSERT_TRUE(waitFor([&] { return seatName(3) == "Player 3"; }));

    bob.send("CMD_startgame+FORGED Klot has Won the Game! Ann+high+1+");
    blank.send("CMD_action+3+is Connected. FORGED|$00005E00");
    blank.send("CMD_action+3+FORGED\u2029 Bob disconnected.|$000A640A");
    blank.send("CMD_chat+3+hi\u2028 FORGED You are spying.|clGreen");
    const auto forgeries = [&] {
        return probe.chatText().count("FORGED");
    };
    ASSERT_TRUE(waitFor(
        [&] { return forgeries() == 3 && probe.chatText().contains("has started a game."); }));
    EXPECT_TRUE(probe.chatText().contains("Bob has started a game."));

    const QColor system = toQColor(kSystemLineColour);
    int lines = 0;
    for (QTextBlock line = probe.chatPane().document()->begin(); line.isValid();
         line = line.next()) {
        if (!line.text().contains("FORGED"))
            continue;
        ++lines;
        EXPECT_TRUE(line.text().startsWith("Player 3 ")) << line.text().toStdString();
        EXPECT_FALSE(line.text().contains(QChar::LineSeparator) ||
                     line.text().contains(QChar::ParagraphSeparator));
        for (auto run = line.begin(); !run.atEnd(); ++run) {
            const QColor shown = run.fragment().charFormat().foreground().color();
            const int red = shown.red() - system.red(), green = shown.green() - system.green(),
                      blue = shown.blue() - system.blue();
            EXPECT_GE(red * red + green * green + blue * blue, 80 * 80)
                << line.text().toStdString() << " in " << shown.name().toStdString();
        }
    }
    EXPECT_EQ(lines, 3);
}

// Ann leaves and Cid takes her slot 1: the rights stay with Bob, who came
// before Cid. Cid can neither remove Bob nor start a game; Bob's window shows
// Start Game, and Bob can do both.
TEST_F(ServeWindow, ANewcomerInSlotOneTakesNoRightsFromWhoeverSatLonger) {
    testsupport::RawClient ann(port);
    ASSERT_EQ(ann.logIn("Ann"), 1);
    join("Bob", 2);
    Tgamestart options(window.gameChoice(), [this] { window.startGame(); });
    EXPECT_FALSE(probe.startButton().isVisible());
    ann.close();
    ASSERT_TRUE(waitFor([&] { return probe.startButton().isVisible(); }));

    testsupport::RawClient cid(port);
    ASSERT_EQ(cid.logIn("Cid"), 1);
    EXPECT_TRUE(cid.waitFor("CMD_hostrights+2"));
    cid.send("CMD_kickhim+1+2+");
    cid.send("CMD_startgame+Cid+high+1+");
    cid.send("CMD_chat+1+tried|clBlack"); // handled after both
    ASSERT_TRUE(waitFor([&] { return probe.chatText().contains("tried"); }));
    EXPECT_FALSE(probe.sessionEnded());
    EXPECT_FALSE(probe.chatText().contains("has started a game."));
    EXPECT_TRUE(probe.startButton().isVisible());
    EXPECT_TRUE(probe.menu().StartGame1->isEnabled());

    probe.menu().StartGame1->trigger();
    options.image_1Click(1);
    options.button_startClick();
    EXPECT_FALSE(cid.waitForPrefix("CMD_startgame+Bob+").isEmpty());
    EXPECT_TRUE(removeWithSeatPopup(1));
    EXPECT_TRUE(waitFor([&] { return cid.closedByHost(); }));
}

// The host player removes this window's player: the window hears why
// before the host closes, keeps the table and offers what comes next.
TEST_F(ServeWindow, ARemovedPlayerIsToldSoAndKeepsTheTable) {
    testsupport::RawClient bob(port);
    ASSERT_EQ(bob.logIn("Bob"), 1);
    join("Ann", 2);
    bob.send("CMD_kickhim+1+2+");
    ASSERT_TRUE(waitFor([&] { return probe.sessionEnded(); }));
    EXPECT_EQ(probe.sessionEnd().reason(), "You were removed from the game.");
    EXPECT_TRUE(probe.chatText().trimmed().endsWith("You were removed from the game."));
    EXPECT_EQ(seatName(1), "Bob");
    EXPECT_EQ(seatName(2), "Ann");
    EXPECT_TRUE(bob.waitFor("CMD_playerdisconnected+2+Ann"));
}

// A host that hangs with the window's last line unread and is then killed
// resets the connection: that is a lost connection, not a closed table.
TEST_F(ServeWindow, AHungHostThatIsKilledIsALostConnection) {
    join("Ann", 1);
    signalHost(SIGSTOP);
    probe.chat().entry()->setText("hello?");
    QTest::keyClick(probe.chat().entry(), Qt::Key_Return);
    QTest::qWait(200); // on its way into the stopped host's buffer
    signalHost(SIGKILL);
    ASSERT_TRUE(waitFor([&] { return probe.sessionEnded(); }));
    EXPECT_EQ(probe.sessionEnd().reason(), "The connection to the host was lost.");
    EXPECT_TRUE(probe.chatText().trimmed().endsWith("The connection to the host was lost."));
    EXPECT_EQ(seatName(1), "Ann");
}

} // namespace

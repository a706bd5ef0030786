// A connection that drops mid-game: the window keeps its table, tries the
// host again by itself and shows its key, and comes back to its seat, joins
// as a new player when the seat was not kept, or ends with the lost
// connection's choices when the player gives up or the host's grace runs out.
#include "client/board/guess_row.h"
#include "client/chat/chat_entry.h"
#include "client_harness.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <sys/socket.h>

namespace clienttest {
namespace {

const QString kKey = QString(64, u'a');
const QString kNextKey = QString(32, u'0') + QString(32, u'f');
constexpr char kReconnecting[] = "Connection lost. Reconnecting…";

class ReconnectTest : public ClientHarness {
protected:
    void SetUp() override {
        // A 3 s grace; the first try follows the drop after 25 ms.
        qputenv("LUDOMYRA_TIME_SCALE", "0.05");
        appHooks.playWithOthersWanted = [](bool) {
        };
        ClientHarness::SetUp();
    }
    void TearDown() override {
        ClientHarness::TearDown();
        qunsetenv("LUDOMYRA_TIME_SCALE");
    }

    // Ann in seat 2 of a running game with Bob in seat 1; she owns ball 3.
    void seatedInAGame() {
        logIn(2, "Ann");
        hostSays({"CMD_existingplayers+1+Bob+0", "CMD_startgame+Bob+high+0+", "CMD_loadball+3+H+",
                  "CMD_nextplayer+1+1+", "CMD_rejoinkey+" + kKey, "CMD_ballowners+1+0+2+0+3+2+",
                  "CMD_playerscores+1+0+2+40+"});
    }
    // What a router restart does to the host's end: a reset, no goodbye.
    void cutConnection() {
        const linger now{1, 0};
        setsockopt(peer->SocketHandle(), SOL_SOCKET, SO_LINGER, &now, sizeof now);
        peer->Close();
    }
    // The next connection the window makes, offered slot `slot`.
    void acceptAgainAs(int slot) {
        const TSock* old = peer;
        ASSERT_TRUE(waitFor([&] { return peer != old && peer->Connected(); }, 5000));
        fromClient.clear();
        hostSends("CMD_sendlogininfo+" + QString::number(slot));
    }
    void hostSends(const QString& message) { peer->Send(buildMessage(message)); }
    void hostSendsAndWaits(const QStringList& messages) {
        for (const QString& message : messages)
            hostSends(message);
        settle(100);
        ASSERT_TRUE(waitFor([&] { return probe().queue().isEmpty(); }, 5000));
        settle(40);
    }
    QString storedKey() const {
        QFile file(settingsPath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        for (const QByteArray& line : file.readAll().split('\n'))
            if (line.startsWith("Rejoin="))
                return QString::fromUtf8(line.mid(7)).trimmed();
        return {};
    }
    QString table() const { return "127.0.0.1:" + QString::number(host.localPort()); }
    QString seatName(int seat) const { return probe().seats().nameLabel(seat)->text(); }
    bool reconnecting() const {
        return probe().sessionEnded() && probe().sessionEnd().reason() == kReconnecting;
    }
    QPushButton* choice(const char* name) const {
        return probe().sessionEnd().findChild<QPushButton*>(name);
    }
};

TEST_F(ReconnectTest, ADroppedWindowComesBackToItsSeatUnderAnotherSlot) {
    seatedInAGame();
    EXPECT_TRUE(storedKey().startsWith(table() + "|" + kKey + "|"));

    cutConnection();
    ASSERT_TRUE(waitFor([&] { return reconnecting(); }, 5000));
    EXPECT_EQ(probe().sessionEnd().offered(), QStringList{SessionEndBar::kGiveUp});
    // The table stays as it was meanwhile.
    EXPECT_EQ(seatName(1), "Bob");
    EXPECT_EQ(seatName(2), "Ann");
    EXPECT_EQ(probe().board().cell(1, 1)->text(), "H");
    EXPECT_EQ(probe().seats().scoreLabel(2)->text(), "40");

    acceptAgainAs(4);
    ASSERT_TRUE(waitFor([&] { return fromClient.count(kTerminator) >= 2; }, 5000));
    const QStringList answer = sent();
    ASSERT_EQ(answer.size(), 2);
    EXPECT_EQ(answer[0], "CMD_rejoin+4+" + kKey);
    EXPECT_TRUE(answer[1].startsWith("CMD_logininfo+4+"));
    EXPECT_TRUE(reconnecting()); // not back before the host says so

    hostSendsAndWaits({"CMD_rejoined+2", "CMD_existingplayers+1+Bob+0+2+Ann+0",
                       "CMD_startgame+Bob+high+0+", "CMD_ballowners+1+0+2+0+3+2+",
                       "CMD_playerscores+1+0+2+40+", "CMD_rejoinkey+" + kNextKey});
    EXPECT_FALSE(probe().sessionEnded());
    EXPECT_EQ(probe().state().myseat, 2);
    EXPECT_TRUE(probe().state().connected);
    EXPECT_EQ(seatName(2), "Ann");
    EXPECT_EQ(probe().seats().scoreLabel(2)->text(), "40");
    EXPECT_TRUE(storedKey().startsWith(table() + "|" + kNextKey + "|"));
    EXPECT_TRUE(chatText().contains("You are back in your seat."));
    EXPECT_EQ(chatText().count("Bob is Connected."), 1); // nobody new came
    // What the player types now goes out under the own seat again.
    probe().chat().entry()->setText("back");
    QTest::keyClick(probe().chat().entry(), Qt::Key_Return);
    ASSERT_TRUE(waitFor([&] { return fromClient.contains("CMD_chat+2+back"); }, 3000));

    // Another's drop and return, as the seat labels and lines show it.
    hostSendsAndWaits({"CMD_playeraway+1+1"});
    EXPECT_EQ(seatName(1), "Bob (away)");
    EXPECT_EQ(probe().model().displayName(1), "Bob");
    EXPECT_EQ(chat->loadchecklist(), QStringList{"Bob"});
    hostSendsAndWaits({"CMD_justwatching+1+1", "CMD_playeraway+1+0"});
    EXPECT_EQ(seatName(1), "Bob");
    EXPECT_TRUE(chatText().contains("Bob is just watching"));

    // The game's end leaves no seat to come back to: a drop now just ends.
    hostSendsAndWaits({"CMD_winner+2+"});
    EXPECT_EQ(storedKey(), "");
    cutConnection();
    ASSERT_TRUE(waitFor([&] { return probe().sessionEnded(); }, 5000));
    EXPECT_EQ(probe().sessionEnd().reason(), "The connection to the host was lost.");
    EXPECT_FALSE(probe().sessionEnd().offered().contains(SessionEndBar::kRejoin));
}

TEST_F(ReconnectTest, ARefusedKeyJoinsAsANewPlayerAndAClosedTableIsNoDrop) {
    seatedInAGame();
    cutConnection();
    ASSERT_TRUE(waitFor([&] { return reconnecting(); }, 5000));
    acceptAgainAs(3);
    ASSERT_TRUE(waitFor([&] { return fromClient.contains("CMD_logininfo+3+"); }, 5000));
    EXPECT_TRUE(sent().first().startsWith("CMD_rejoin+3+"));

    hostSendsAndWaits({"CMD_rejoinrefused+", "CMD_newplayerinfo+3+Ann+0"});
    EXPECT_FALSE(probe().sessionEnded());
    // The pane sets what stands before a colon apart, as it does for a speaker.
    EXPECT_TRUE(chatText().simplified().contains(
        "Your seat could not be kept: you joined as a new player."));
    EXPECT_EQ(probe().state().myseat, 3);
    EXPECT_EQ(seatName(3), "Ann");
    EXPECT_EQ(seatName(2), TableModel::kWaiting); // the old seat is not ours any more
    EXPECT_EQ(storedKey(), "");

    // A host that closes its table on purpose is not tried again, key or not.
    hostSendsAndWaits({"CMD_rejoinkey+" + kNextKey});
    ASSERT_FALSE(storedKey().isEmpty());
    hostSends("CMD_goodbye+");
    peer->Close();
    ASSERT_TRUE(waitFor([&] { return probe().sessionEnded(); }, 5000));
    EXPECT_EQ(probe().sessionEnd().reason(), "The host closed the table.");
    EXPECT_EQ(storedKey(), "");
    settle(300);
    EXPECT_EQ(probe().sessionEnd().reason(), "The host closed the table.");
}

// Back in the seat, the last table stays on screen until the host's catch-up
// has laid the new one: never an empty table, "One Ball" or waiting seats in
// between. The rows Klot played meanwhile carry its tag, the others not.
TEST_F(ReconnectTest, TheLastTableStaysUntilTheCatchUpIsLaidAndKlotsRowsAreMarked) {
    seatedInAGame();
    cutConnection();
    ASSERT_TRUE(waitFor([&] { return reconnecting(); }, 5000));
    acceptAgainAs(4);
    ASSERT_TRUE(waitFor([&] { return fromClient.contains("CMD_logininfo+4+"); }, 5000));

    // The whole catch-up in one write, as the host sends it.
    QByteArray catchUp;
    for (const QString& message :
         {QString("CMD_rejoined+2"), QString("CMD_existingplayers+1+Bob+0+2+Ann+0"),
          QString("CMD_gamestats+high+3+3+H+"), QString("CMD_playerscores+1+0+2+40+"),
          QString("CMD_ballowners+1+0+2+0+3+2+"), QString("CMD_yourletters+2+f+1+sxcxx+HOUSE+"),
          QString("CMD_yourletters+2+f+2+sxxxx+HAPPY+"), QString("CMD_stoodin+2+"),
          QString("CMD_nextplayer+2+3+"), "CMD_rejoinkey+" + kNextKey})
        catchUp += buildMessage(message);
    peer->Send(catchUp);
    QStringList glimpsed; // what the window showed in between, seen at every turn
    ASSERT_TRUE(waitFor(
        [&] {
            if (seatName(1) != "Bob" || seatName(2) != "Ann")
                glimpsed << seatName(1) + " / " + seatName(2);
            if (probe().model().ballInPlay() != 3)
                glimpsed << QString("ball %1").arg(probe().model().ballInPlay());
            return !reconnecting() && probe().queue().isEmpty() && storedKey().contains(kNextKey);
        },
        5000));
    EXPECT_TRUE(glimpsed.isEmpty()) << glimpsed.join(", ").toStdString();
    EXPECT_EQ(probe().board().cell(2, 5)->text(), "Y");
    EXPECT_FALSE(probe().board().standInTag(1)->isVisible());
    EXPECT_TRUE(probe().board().standInTag(2)->isVisible());
    EXPECT_TRUE(probe().board().cell(2, 1)->accessibleName().contains("played by Klot"));
    EXPECT_FALSE(probe().board().cell(1, 1)->accessibleName().contains("Klot"));
    EXPECT_EQ(probe().board().guessRow()->look(), GuessRow::Look::Open);

    // The next word's rows are nobody's but the player's.
    hostSendsAndWaits({"CMD_heguessed+1+HOUSE+3+0+", "CMD_loadball+4+B+"});
    EXPECT_FALSE(probe().board().standInTag(2)->isVisible());
}

TEST_F(ReconnectTest, GivingUpOffersTheSeatUntilTheGraceRunsOut) {
    seatedInAGame();
    cutConnection();
    ASSERT_TRUE(waitFor([&] { return reconnecting(); }, 5000));

    // Give Up is reached from the chat box with the keyboard.
    chat->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(chat.get()));
    probe().chat().entry()->setFocus();
    QTest::keyClick(probe().chat().entry(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), choice("button_giveup"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_TRUE(waitFor([&] { return !reconnecting(); }, 2000));
    EXPECT_EQ(probe().sessionEnd().reason(), "The connection to the host was lost.");
    EXPECT_EQ(probe().sessionEnd().offered(),
              (QStringList{SessionEndBar::kRejoin, SessionEndBar::kJoin, SessionEndBar::kHost,
                           SessionEndBar::kExit, SessionEndBar::kHide}));
    EXPECT_EQ(seatName(2), "Ann");

    // The seat can still be asked for.
    choice("button_rejoin")->click();
    acceptAgainAs(5);
    ASSERT_TRUE(waitFor([&] { return fromClient.contains("CMD_logininfo+5+"); }, 5000));
    EXPECT_EQ(sent().first(), "CMD_rejoin+5+" + kKey);

    // A host that takes every connection and drops it at once: the tries go
    // on until the grace from the drop is over, then the seat is gone.
    host.OnAccept = [](TSock* listener) {
        TSock* taken = nullptr;
        if (listener->Accept(taken))
            taken->Close();
    };
    cutConnection();
    ASSERT_TRUE(waitFor([&] { return reconnecting(); }, 5000));
    ASSERT_TRUE(waitFor([&] { return !reconnecting(); }, 8000));
    EXPECT_EQ(probe().sessionEnd().reason(), "The connection to the host was lost.");
    EXPECT_FALSE(probe().sessionEnd().offered().contains(SessionEndBar::kRejoin));
    EXPECT_EQ(storedKey(), "");
    EXPECT_EQ(seatName(2), "Ann");
}

} // namespace
} // namespace clienttest

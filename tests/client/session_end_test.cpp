// When the connection to the host ends: the window stays with the last
// table, says why, and offers the next table from the keyboard as well as
// the mouse; the hosting player is asked before others lose their table.
#include "client/board/guess_row.h"
#include "client/chat/chat_entry.h"
#include "client_harness.h"
#include "program_environment.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace clienttest {
namespace {

QStringList allChoices() {
    return {SessionEndBar::kJoin, SessionEndBar::kHost, SessionEndBar::kSolo, SessionEndBar::kExit,
            SessionEndBar::kHide};
}

class SessionEndTest : public ClientHarness {
protected:
    void SetUp() override {
        appHooks.playWithOthersWanted = [this](bool hosting) {
            wanted << (hosting ? "host" : "join");
        };
        appHooks.soloWanted = [this] {
            wanted << "solo";
        };
        ClientHarness::SetUp();
    }
    QString seatName(int seat) const { return probe().seats().nameLabel(seat)->text(); }
    QWidget* focused() const { return QApplication::focusWidget(); }
    QPushButton* choice(const char* name) const {
        return probe().sessionEnd().findChild<QPushButton*>(name);
    }
    void press(int key) { QTest::keyClick(focused(), Qt::Key(key)); }

    QStringList wanted; // what the program around the window was asked for
};

TEST_F(SessionEndTest, TheLastTableStaysAndTheNextIsChosenFromTheKeyboard) {
    logIn(1);
    hostSays({"CMD_existingplayers+2+Bob+0", "CMD_startgame+Ann+high+0+", "CMD_loadball+3+H+",
              "CMD_nextplayer+1+1+"});
    ASSERT_EQ(probe().board().guessRow()->look(), GuessRow::Look::Open);
    ASSERT_EQ(probe().board().status()->text(), "Your Turn.");
    for (int second = 0; second < Board::kTurnSeconds; ++second)
        probe().board().Timer2Timer(); // the turn runs out here; the host says nothing more
    peer->Send(buildMessage("CMD_goodbye+"));
    peer->Close();
    ASSERT_TRUE(waitFor([&] { return probe().sessionEnded(); }, 5000));

    EXPECT_TRUE(chatText().trimmed().endsWith("The host closed the table."));
    EXPECT_EQ(probe().sessionEnd().reason(), "The host closed the table.");
    EXPECT_EQ(probe().sessionEnd().offered(), allChoices());
    EXPECT_EQ(seatName(1), "Ann");
    EXPECT_EQ(seatName(2), "Bob");
    EXPECT_EQ(probe().board().cell(1, 1)->text(), "H");
    EXPECT_NE(probe().board().guessRow()->look(), GuessRow::Look::Open); // nobody's turn now
    EXPECT_EQ(probe().board().status()->text(), "");
    EXPECT_FALSE(probe().seats().turnMarker()->isVisible());
    EXPECT_FALSE(probe().menu().StartGame1->isEnabled());
    EXPECT_FALSE(probe().menu().JustWatch1->isEnabled());

    // The chat box keeps what is typed into it; Tab goes on to the choices.
    chat->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(chat.get()));
    probe().chat().entry()->setFocus();
    probe().chat().entry()->setText("anyone there?");
    press(Qt::Key_Return);
    EXPECT_EQ(probe().chat().entry()->text(), "anyone there?");
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), choice("button_join"));
    press(Qt::Key_Space);
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), choice("button_host"));
    press(Qt::Key_Return);
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), choice("button_solo"));
    press(Qt::Key_Space);
    EXPECT_EQ(wanted, (QStringList{"join", "host", "solo"}));
    EXPECT_TRUE(sent().isEmpty());

    // The bar goes away to show the last table, by its button or by Escape,
    // and the window stays.
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), choice("button_exit"));
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), choice("button_hide"));
    press(Qt::Key_Space);
    EXPECT_FALSE(probe().sessionEnded());
    EXPECT_TRUE(chat->isVisible());
    EXPECT_EQ(seatName(2), "Bob");
    EXPECT_EQ(probe().board().cell(1, 1)->text(), "H");

    // A new connection in the same window: the choices give way, and the
    // new host's offer is answered with a log-in.
    TSock next;
    TSock* nextPeer = nullptr;
    QByteArray toNext;
    next.setPortName("0");
    next.OnAccept = [&](TSock* s) {
        s->Accept(nextPeer);
        nextPeer->OnRead = [&](TSock* p, int) {
            toNext += p->Receive();
        };
    };
    next.setListen(true);
    chat->joinHost("Ann", "127.0.0.1", QString::number(next.localPort()));
    EXPECT_FALSE(probe().sessionEnded());
    ASSERT_TRUE(waitFor([&] { return nextPeer != nullptr; }, 5000));
    nextPeer->Send(buildMessage("CMD_sendlogininfo+2"));
    EXPECT_TRUE(waitFor([&] { return toNext.startsWith("CMD_logininfo+2+"); }, 5000));
    EXPECT_EQ(probe().state().myseat, 2);
    delete nextPeer;
}

// The host tells a removed player with its own departure, then closes.
// Without the program's hooks only Exit (as in the File menu) can be chosen,
// besides putting the bar away.
TEST(SessionEndWithoutHooks, ARemovedPlayerIsToldSoAndMayClose) {
    testsupport::ProgramEnvironment home;
    TSock host;
    TSock* peer = nullptr;
    host.setPortName("0");
    host.OnAccept = [&](TSock* s) {
        s->Accept(peer);
    };
    host.setListen(true);
    Tchat chat;
    TchatProbe probe(chat);
    chat.show();
    chat.joinHost("Cy", "127.0.0.1", QString::number(host.localPort()));
    ASSERT_TRUE(waitFor([&] { return peer && probe.connection().Connected(); }, 5000));
    peer->Send(buildMessage("CMD_sendlogininfo+3") + buildMessage("CMD_newplayerinfo+3+Cy+0") +
               buildMessage("CMD_existingplayers+1+Ann+0") +
               buildMessage("CMD_playerdisconnected+3+Cy"));
    peer->Close();
    ASSERT_TRUE(waitFor([&] { return probe.sessionEnded(); }, 5000));

    EXPECT_TRUE(probe.chatText().trimmed().endsWith("You were removed from the game."));
    EXPECT_FALSE(probe.chatText().contains("Cy disconnected."));
    EXPECT_FALSE(probe.chatText().contains("The host closed the table."));
    EXPECT_EQ(probe.seats().nameLabel(3)->text(), "Cy");
    EXPECT_EQ(probe.sessionEnd().reason(), "You were removed from the game.");
    EXPECT_EQ(probe.sessionEnd().offered(),
              (QStringList{SessionEndBar::kExit, SessionEndBar::kHide}));
    QTest::keyClick(probe.sessionEnd().findChild<QPushButton*>("button_exit"), Qt::Key_Escape);
    EXPECT_FALSE(probe.sessionEnded());
    EXPECT_EQ(probe.seats().nameLabel(3)->text(), "Cy"); // the last table shows
    probe.sessionEnd().offer("again");
    probe.sessionEnd().findChild<QPushButton*>("button_exit")->click();
    EXPECT_FALSE(chat.isVisible());
    delete peer;
}

class HostingWindowTest : public ClientHarness {
protected:
    void SetUp() override {
        hosting = true;
        ClientHarness::SetUp();
    }
};

TEST_F(HostingWindowTest, ClosingAsksFirstWhileOthersAreAtTheTable) {
    const QString question = "Others are at your table. Closing ends the game for them.";
    logIn(1);
    hostSays("CMD_newplayerinfo+2+Bob+0");
    chat->close();
    EXPECT_EQ(questions, QStringList{question});
    EXPECT_TRUE(chat->isVisible()); // No keeps the table

    hostSays({"CMD_playerdisconnected+2+Bob", "CMD_newplayerinfo+6+Spy+0"});
    probe().menu().Exit1->trigger();
    EXPECT_EQ(questions.size(), 2); // a spy is at the table too
    EXPECT_TRUE(chat->isVisible());

    // Alone with Klot, as in a solo game: the window closes at once.
    hostSays({"CMD_playerdisconnected+6+Spy", "CMD_startgame+Ann+high+0+"});
    ASSERT_EQ(probe().seats().nameLabel(2)->text(), "Klot");
    chat->close();
    EXPECT_EQ(questions.size(), 2);
    EXPECT_FALSE(chat->isVisible());

    chat->show();
    hostSays("CMD_newplayerinfo+2+Bob+0");
    answer = true;
    chat->close();
    EXPECT_EQ(questions.size(), 3);
    EXPECT_FALSE(chat->isVisible());
}

} // namespace
} // namespace clienttest

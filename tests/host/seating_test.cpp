#include "session_harness.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

TEST(SeatingSlots, NewcomersTakeTheLowestFreeSlotAndTheTenthFindsNone) {
    SessionHarness host;
    for (int expected = 1; expected <= 9; ++expected) {
        ASSERT_EQ(host.connect(), expected);
        EXPECT_EQ(host.to(expected),
                  QStringList{QStringLiteral("CMD_sendlogininfo+%1").arg(expected)});
    }
    EXPECT_EQ(host.session.chooseSlot(), 0);

    host.session.connectionClosed(7);
    host.session.connectionClosed(3);
    EXPECT_EQ(host.connect(), 3); // a seat, although spy slot 7 is free too
    EXPECT_EQ(host.connect(), 7);
    EXPECT_EQ(host.state().slotcount, 9);
}

class SeatingLogin : public ::testing::Test {
protected:
    SessionHarness host;
};

TEST_F(SeatingLogin, NewcomerIsAnnouncedToAllAndToldWhoIsThere) {
    host.logIn("Ann");
    host.connect(); // slot 2 never logs in: it has no name to list
    host.logIn("Cid");
    host.send(3, "CMD_justwatch+3+1");
    host.forget();

    ASSERT_EQ(host.logIn("Dan"), 4);
    EXPECT_EQ(host.to(4), QStringList({"CMD_sendlogininfo+4", "CMD_newplayerinfo+4+Dan+0",
                                       "CMD_existingplayers+1+Ann+0+3+Cid+1"}));
    for (int slot : {1, 2, 3})
        EXPECT_EQ(host.to(slot), QStringList{"CMD_newplayerinfo+4+Dan+0"});
}

TEST_F(SeatingLogin, FirstPlayerGetsNoEmptyPlayerList) {
    host.logIn("Ann");
    EXPECT_EQ(host.to(1), QStringList({"CMD_sendlogininfo+1", "CMD_newplayerinfo+1+Ann+0"}));
}

TEST_F(SeatingLogin, OtherVersionIsToldToBothSidesAndTheNewcomerStays) {
    host.logIn("Ann");
    host.forget();
    host.logIn("Bob", "1.0.7");
    EXPECT_EQ(host.to(1), QStringList({"CMD_newplayerinfo+2+Bob+0", "CMD_havewrongversion+Bob"}));
    EXPECT_EQ(host.to(2).mid(2), QStringList({"CMD_existingplayers+1+Ann+0", "CMD_wrongversion+"}));
    EXPECT_TRUE(host.state().player(2).inuse);
}

TEST_F(SeatingLogin, NamesLoseTheirPlusAndStopAtFortyCharacters) {
    host.logIn("Ann+Bob");
    EXPECT_EQ(host.state().player(1).name, "Ann-Bob");
    host.logIn(QString(50, u'x'));
    EXPECT_EQ(host.to(2).at(1), "CMD_newplayerinfo+2+" + QString(40, u'x') + "+0");
}

// The clients' rule: nothing that hides a name or breaks a line, no blanks
// around it; a name with nothing left is "Player" and the slot, for everyone.
TEST_F(SeatingLogin, NamesAreCleanedAsTheWindowsCleanThemAndNeverLeftEmpty) {
    const QString x39(39, u'x');
    const std::pair<QString, QString> cases[] = {
        {"", "Player 1"},
        {"\x07\x1b\u200E\u2028\u2029\u00AD\u2066", "Player 2"},
        {" \t\u00A0 ", "Player 3"},
        {"  Cy\u2028Lee\u202E  ", "CyLee"},
        {"   " + x39 + " yyy", x39},
        {x39 + "\U0001F600", x39},        // never half a pair
        {"A\U000E0041\U000E007Fl", "Al"}, // tag characters are invisible
        // No name ends a sentence, so none reads as a notice of its own.
        {"Table rules: Klot is off. Host is Mal.", "Table rules Klot is off Host is Mal"},
        {" Dr.  Who?! \u3002v1.2:) ", "Dr Who v1.2:)"},
    };
    for (const auto& [sent, kept] : cases)
        host.logIn(sent);
    for (int slot = 1; slot <= int(std::size(cases)); ++slot)
        EXPECT_EQ(host.state().player(slot).name, cases[slot - 1].second) << slot;
    host.forget();
    host.send(1, "CMD_action+1+waves");
    EXPECT_EQ(host.to(2), QStringList{"CMD_action+1+Player 1 waves"});
}

// A game runs in which Bob (slot 2) has found balls 1 and 2 and then left:
// his connection closed and the seat's grace ran out.
// Whoever comes now is told the state of the game.
class LateJoiner : public ::testing::TestWithParam<QString> {
protected:
    void SetUp() override {
        host.logIn("Ann");
        host.logIn("Bob");
        host.send(1, "CMD_startgame+Ann+" + GetParam() + "+1+");
        if (GetParam() == "nine")
            giveBobTheTurn();
        for (int ball = 1; ball <= 2; ++ball) {
            host.send(2, "CMD_myword+2+" + host.state().hiddenword + "+");
            host.tick(host.options.pauseTicks + 1);
        }
        host.session.connectionClosed(2);
        host.session.holdTimerTimer(2);
        for (int expected = 2; expected <= 7; ++expected)
            ASSERT_EQ(host.connect(), expected);
        host.forget();
    }
    // Ann sits out until her word has run out; then the turn passes to Bob.
    void giveBobTheTurn() {
        host.send(1, "CMD_justwatch+1+1");
        for (int tick = 0; tick < 1000 && host.state().currentseat != 2; ++tick)
            host.session.turntimerTimer();
        host.send(1, "CMD_justwatch+1+2");
        ASSERT_EQ(host.state().currentseat, 2);
    }
    // What the newcomer in the slot is sent from CMD_gamestats on.
    QStringList stateMessagesFor(int slot, const QString& name) {
        host.send(slot, QStringLiteral("CMD_logininfo+%1+1.0.8+%2").arg(slot).arg(name));
        const QStringList messages = host.to(slot);
        const auto first = std::find_if(messages.begin(), messages.end(), [](const QString& m) {
            return m.startsWith("CMD_gamestats+");
        });
        return QStringList(first, messages.end());
    }
    // In "nine" Bob had the turn when he left, which ended the word: row 6.
    QString gamestats(int ball) {
        return QStringLiteral("CMD_gamestats+%1+%2+%3+%4+")
            .arg(GetParam())
            .arg(GetParam() == "nine" ? 6 : 1)
            .arg(ball)
            .arg(host.state().hiddenword.left(1));
    }
    SessionHarness host;
};

TEST_P(LateJoiner, GetsTheGameStateAfterThePlayerList) {
    const QString type = GetParam();
    const QString scores =
        type == "high" ? "+1+0+2+3+3+0+4+0+5+0" : "+1+1000+2+1000+3+1000+4+1000+5+1000";
    const QString owners = type == "race" ? "CMD_theyown+1+0+2+2+3+0+4+0+5+0"
                                          : "CMD_ballowners+1+2+2+2+3+0+4+0+5+0+6+0+7+0+8+0+9+0";
    // In slot 2 the newcomer takes over the seat the leaver played, and in
    // "race" its next ball, 3, and then its rejoin key; a spy is shown ball 1.
    const QStringList seated = stateMessagesFor(2, "Eve");
    ASSERT_EQ(seated.size(), 4);
    EXPECT_EQ(seated.mid(0, 3), QStringList({gamestats(3), "CMD_playerscores" + scores, owners}));
    EXPECT_TRUE(seated.last().startsWith("CMD_rejoinkey+"));
    const QStringList spy = stateMessagesFor(7, "Spy");
    ASSERT_FALSE(spy.isEmpty());
    EXPECT_EQ(spy.first(), gamestats(type == "race" ? 1 : 3));
}

INSTANTIATE_TEST_SUITE_P(AllGameTypes, LateJoiner,
                         ::testing::Values("high", "most", "nine", "race"));

TEST(SeatingDeparture, OthersAreToldOnceAndTheSlotIsFreed) {
    SessionHarness host;
    host.logIn("Ann");
    host.logIn("Bob");
    host.logIn("Cid");
    host.send(2, "CMD_justwatch+2+1");
    host.forget();

    host.session.connectionClosed(2);
    host.session.connectionClosed(2); // a second close report
    for (int slot : {1, 3})
        EXPECT_EQ(host.to(slot), QStringList{"CMD_playerdisconnected+2+Bob"});
    EXPECT_TRUE(host.to(2).isEmpty());
    EXPECT_FALSE(host.state().player(2).inuse);
    EXPECT_TRUE(host.state().player(2).name.isEmpty());
    EXPECT_FALSE(host.state().player(2).watching); // the next in this seat plays

    // A connection that never logged in was never announced: nobody hears it go.
    ASSERT_EQ(host.connect(), 2);
    host.forget();
    host.session.connectionClosed(2);
    EXPECT_TRUE(host.outbox.sent.empty());
    EXPECT_FALSE(host.state().player(2).inuse);
}

TEST(SeatingDeparture, QueuedMessagesOfAClosedConnectionAreDropped) {
    SessionHarness host;
    host.logIn("Ann");
    const int slot = host.connect();
    host.session.received(slot, buildMessage("CMD_logininfo+2+1.0.8+Ghost"));
    host.session.received(slot, buildMessage("CMD_chat+2+boo|clred"));
    host.session.connectionClosed(slot);
    EXPECT_EQ(host.connect(), slot); // someone else takes the slot before the queue is worked
    host.forget();
    host.drain();

    EXPECT_TRUE(host.outbox.sent.empty());
    EXPECT_TRUE(host.state().player(slot).name.isEmpty());
    host.session.connectionClosed(slot);
    host.session.received(slot, buildMessage("CMD_logininfo+2+1.0.8+Ghost"));
    host.drain();
    EXPECT_FALSE(host.state().player(slot).inuse); // no ghost seat
}

class SeatingMessages : public ::testing::Test {
protected:
    void SetUp() override {
        host.logIn("Ann");
        host.logIn("Bob");
        host.logIn("Cid");
        host.connect(); // 4
        host.connect(); // 5
        host.logIn("Spy");
        host.forget();
    }
    void expectToAll(const QString& message) {
        for (int slot = 1; slot <= 6; ++slot)
            EXPECT_EQ(host.to(slot), QStringList{message}) << "slot " << slot;
    }
    SessionHarness host;
};

TEST_F(SeatingMessages, ChatAndActionsReachEveryoneWholeWithTheSendersName) {
    host.send(2, "CMD_chat+2+1+1=2, ok?|$00FF0000");
    expectToAll("CMD_chat+2+Bob chats: 1+1=2, ok?|$00FF0000");
    host.forget();
    host.send(6, "CMD_action+6+waves+|clblack");
    expectToAll("CMD_action+6+Spy waves+|clblack");
}

TEST_F(SeatingMessages, ChatterSoundsGoToEveryoneWithTheSender) {
    host.send(3, "CMD_playasound+3+wave4+");
    expectToAll("CMD_playasound+3+wave4+");
}

TEST_F(SeatingMessages, PlayersSitOutAndComeBackForThemselves) {
    host.send(2, "CMD_justwatch+2+1");
    expectToAll("CMD_justwatching+2+1");
    EXPECT_TRUE(host.state().player(2).watching);
    host.forget();
    host.send(2, "CMD_justwatch+2+2");
    expectToAll("CMD_justwatching+2+2");
    EXPECT_FALSE(host.state().player(2).watching);
}

TEST_F(SeatingMessages, HostPlayerSetsOtherSeatsToWatchAndRemovesPlayers) {
    host.send(1, "CMD_justwatch+3+1");
    expectToAll("CMD_justwatching+3+1");
    host.forget();
    host.send(1, "CMD_justwatch+6+1"); // a spy has no seat to leave
    host.send(1, "CMD_kickhim+2+3+");  // the first field must be 1
    EXPECT_TRUE(host.outbox.sent.empty());

    host.send(1, "CMD_kickhim+1+3+");
    EXPECT_EQ(host.connections.closed, QList<int>{3});
    EXPECT_EQ(host.to(1), QStringList{"CMD_playerdisconnected+3+Cid"});
    EXPECT_EQ(host.to(3), QStringList{"CMD_playerdisconnected+3+Cid"}); // told before the close
    host.send(1, "CMD_kickhim+1+3+");                                   // no longer there
    EXPECT_EQ(host.connections.closed, QList<int>{3});
}

// Under --serve the host player is whoever holds slot 1.
TEST_F(SeatingMessages, WhoeverTakesSlotOneNextHasTheHostPlayersRights) {
    host.session.connectionClosed(1);
    host.send(2, "CMD_kickhim+1+3+");
    EXPECT_TRUE(host.connections.closed.isEmpty());
    ASSERT_EQ(host.logIn("Zoe"), 1);
    host.send(1, "CMD_kickhim+1+3+");
    EXPECT_EQ(host.connections.closed, QList<int>{3});
}

// A dedicated host has no player of its own: the host player's rights go to
// the seated player who came first, so the table goes on when slot 1 leaves,
// and stay there when someone new takes slot 1. Never to a spy; never to a
// message that names another sender.
TEST_F(SeatingMessages, AtADedicatedHostTheFirstSeatedPlayerHasTheHostPlayersRights) {
    host.state().dedicated = true;
    host.send(2, "CMD_startgame+Bob+high+1+"); // Ann is still there
    host.send(2, "CMD_kickhim+2+3+");
    EXPECT_EQ(host.to(3), QStringList{"CMD_hostrights+1"}); // and nothing else

    host.session.connectionClosed(1);
    host.forget();
    host.send(3, "CMD_startgame+Cid+high+1+"); // Bob came first
    host.send(6, "CMD_kickhim+6+3+");
    host.send(2, "CMD_kickhim+1+3+");
    EXPECT_TRUE(host.outbox.sent.empty());
    host.send(2, "CMD_justwatch+3+1");
    EXPECT_EQ(host.to(3), QStringList{"CMD_justwatching+3+1"});
    host.send(2, "CMD_startgame+Zed+most+1+");
    EXPECT_TRUE(host.to(6).contains("CMD_startgame+Bob+most+1+"))
        << host.to(6).join(" ").toStdString();
    EXPECT_EQ(host.state().gametype, GameType::Most);
    host.send(2, "CMD_kickhim+2+3+");
    EXPECT_EQ(host.connections.closed, QList<int>{3});

    ASSERT_EQ(host.logIn("Dee"), 1);
    host.send(1, "CMD_kickhim+1+6+");
    host.send(1, "CMD_startgame+Dee+high+1+");
    EXPECT_EQ(host.connections.closed, QList<int>{3});
    EXPECT_EQ(host.state().gametype, GameType::Most);
    host.send(2, "CMD_kickhim+2+6+");
    EXPECT_EQ(host.connections.closed, (QList<int>{3, 6}));
}

// Each message claims another slot or a right its connection lacks.
TEST_F(SeatingMessages, MessagesForSomeoneElseAreDroppedSilently) {
    host.send(1, "CMD_startgame+Ann+most+1+");
    const HostState before = host.state();
    host.forget();
    const QList<std::pair<int, QString>> forged = {
        {2, "CMD_chat+3+I am Cid|clblack"},
        {2, "CMD_chat+02+padded|clblack"},
        {2, "CMD_action+1+bows"},
        {2, "CMD_playasound+3+wave1+"},
        {2, "CMD_logininfo+3+1.0.8+Eve"},
        {2, "CMD_logininfo+7+1.0.8+Eve"},
        {2, "CMD_myword+3+" + before.hiddenword + "+"},
        {2, "CMD_justwatch+3+1"},
        {2, "CMD_kickhim+1+3+"},
        {2, "CMD_startgame+Bob+high+1+"},
        {6, "CMD_justwatch+1+1"},
        {4, "CMD_chat+12+out of range"},
    };
    for (const auto& [sender, text] : forged) {
        host.send(sender, text);
        EXPECT_TRUE(host.outbox.sent.empty()) << text.toStdString();
    }
    EXPECT_TRUE(host.connections.closed.isEmpty());
    EXPECT_EQ(host.state().gametype, GameType::Most);
    EXPECT_EQ(host.state().player(3).name, "Cid");
    EXPECT_FALSE(host.state().player(7).inuse);
    EXPECT_EQ(host.state().player(3).submitted, before.player(3).submitted);
}

TEST_F(SeatingMessages, GarbageIsDroppedAndTheHostGoesOn) {
    const QStringList garbage = {"",
                                 "nonsense",
                                 "CMD_chat",
                                 "cmd_chat+2+wrong case",
                                 "+2+no word",
                                 "CMD_chat+x+y",
                                 "CMD_logininfo+x+1.0.8+Eve",
                                 "CMD_justwatch+2+9",
                                 "CMD_playasound+99999999999999+wave1+",
                                 "CMD_myword+2+",
                                 "CMD_unknown+2+"};
    for (const QString& text : garbage)
        host.send(2, text);
    host.send(1, "CMD_kickhim+1+abc+");
    host.send(1, "CMD_kickhim+1+0+");
    EXPECT_TRUE(host.outbox.sent.empty());
    EXPECT_TRUE(host.connections.closed.isEmpty());

    host.send(2, "CMD_chat+2+still here");
    expectToAll("CMD_chat+2+Bob chats: still here");
}

TEST_F(SeatingMessages, ConnectionsOverALimitAreClosedAndTheOthersServed) {
    host.sendBytes(2, QByteArray(HostInbox::kMaxUnterminated + 1, 'a'));
    QByteArray flood;
    for (int i = 0; i <= HostInbox::kMaxWaitingPerConnection; ++i)
        flood += buildMessage("CMD_chat+3+spam");
    host.sendBytes(3, flood);
    EXPECT_EQ(host.connections.closed, QList<int>({2, 3}));
    EXPECT_EQ(host.to(1),
              QStringList({"CMD_playerdisconnected+2+Bob", "CMD_playerdisconnected+3+Cid"}));

    host.forget();
    QByteArray burst;
    for (int i = 0; i < HostInbox::kMaxWaitingPerConnection; ++i)
        burst += buildMessage("CMD_chat+1+hi");
    host.sendBytes(1, burst); // at the limit, not over it
    EXPECT_EQ(host.to(6).size(), HostInbox::kMaxWaitingPerConnection);
    EXPECT_EQ(host.to(6).first(), "CMD_chat+1+Ann chats: hi");
}

// The connections are served in turn: one peer's backlog delays another's
// guess by one message, each connection's own messages keep their order, and
// without a backlog they go in the order they came.
TEST_F(SeatingMessages, APeersBacklogDelaysNobodyElsesGuess) {
    host.send(1, "CMD_startgame+Ann+high+1+");
    const QString wrong = host.state().hiddenword == "ANGEL" ? "AGREE" : "ANGEL";
    host.forget();
    QByteArray backlog;
    for (int i = 1; i <= HostInbox::kMaxWaitingPerConnection; ++i)
        backlog += buildMessage(QStringLiteral("CMD_chat+2+line %1").arg(i));
    ASSERT_TRUE(host.session.received(2, backlog));
    ASSERT_TRUE(host.session.received(3, buildMessage("CMD_myword+3+" + wrong + "+")));
    host.session.socktimerTimer();
    EXPECT_EQ(host.to(3).filter("CMD_yourletters+3+").size(), 1)
        << host.to(3).join('\n').toStdString();

    host.drain();
    QStringList bobsLines;
    for (int i = 1; i <= HostInbox::kMaxWaitingPerConnection; ++i)
        bobsLines.append(QStringLiteral("CMD_chat+2+Bob chats: line %1").arg(i));
    EXPECT_EQ(host.to(6).filter("CMD_chat+2+"), bobsLines);

    host.forget();
    for (int slot : {3, 6, 1})
        ASSERT_TRUE(
            host.session.received(slot, buildMessage(QStringLiteral("CMD_chat+%1+hi").arg(slot))));
    host.drain();
    EXPECT_EQ(host.to(2), QStringList({"CMD_chat+3+Cid chats: hi", "CMD_chat+6+Spy chats: hi",
                                       "CMD_chat+1+Ann chats: hi"}));
}

class NineBallSeats : public ::testing::Test {
protected:
    void SetUp() override {
        host.logIn("Ann");
        host.logIn("Bob");
        host.logIn("Cid");
        host.send(1, "CMD_startgame+Ann+nine+1+");
        turn = host.state().currentseat;
        ASSERT_GE(turn, 1);
        host.forget();
    }
    SessionHarness host;
    int turn = 0;
};

TEST_F(NineBallSeats, WhenThePlayerOnTurnLeavesTheWordEndsUnfound) {
    const QString word = host.state().hiddenword;
    const QStringList names = {"", "Ann", "Bob", "Cid"};
    host.session.connectionClosed(turn);
    host.forget();
    host.session.holdTimerTimer(turn); // the seat was held; now the player is gone
    const int other = turn == 1 ? 2 : 1;
    EXPECT_EQ(host.to(other),
              QStringList({QStringLiteral("CMD_playerdisconnected+%1+").arg(turn) + names[turn],
                           "CMD_nooneguessed+" + word + "+"}));
    EXPECT_FALSE(host.state().wordopen);
}

TEST_F(NineBallSeats, WatchersAreBroughtBackWhenTheLastPlayerLeaves) {
    QList<int> others;
    for (int seat = 1; seat <= 3; ++seat) {
        if (seat != turn) {
            host.send(1, QStringLiteral("CMD_justwatch+%1+1").arg(seat));
            others.append(seat);
        }
    }
    host.session.connectionClosed(turn);
    host.forget();
    host.session.holdTimerTimer(turn);
    const QStringList told = host.to(others.first());
    ASSERT_EQ(told.size(), 4);
    EXPECT_EQ(told.mid(1, 2),
              QStringList({QStringLiteral("CMD_justwatching+%1+2").arg(others[0]),
                           QStringLiteral("CMD_justwatching+%1+2").arg(others[1])}));
    EXPECT_TRUE(told.at(3).startsWith("CMD_nooneguessed+"));
}

TEST(NineBallWaiting, ATurnThatFoundNoPlayerGoesToTheNextToLogIn) {
    SessionHarness host;
    host.logIn("Ann");
    host.send(1, "CMD_startgame+Ann+nine+1+");
    host.send(1, "CMD_justwatch+1+1");
    host.tick(5 * 23 + host.options.pauseTicks + 1); // five rows run out, then the pause
    ASSERT_EQ(host.state().currentseat, 0);
    host.forget();

    host.logIn("Bob");
    EXPECT_EQ(host.to(1), QStringList({"CMD_newplayerinfo+2+Bob+0", "CMD_nextplayer+2+1+"}));
    EXPECT_TRUE(host.clock.turnActive);
}

} // namespace

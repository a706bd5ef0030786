#include "rules_harness.h"

#include <gtest/gtest.h>

namespace {

// One seat at a time: who gets the turn, and when the turn waits.
class NineBallTest : public ::testing::Test {
protected:
    void seat(std::initializer_list<int> seats) {
        for (int s : seats)
            host.connect(s, QStringLiteral("P%1").arg(s));
        host.connect(6, "Spy");
    }
    int turn() const { return host.state.currentseat; }
    void failFiveRows() {
        for (int row = 1; row <= 5; ++row)
            host.guess(turn(), "BRAED");
    }
    QString nextPlayer(int seat, int row) const {
        return QStringLiteral("CMD_nextplayer+%1+%2+").arg(seat).arg(row);
    }
    RulesHarness host;
};

TEST_F(NineBallTest, TheFinderKeepsTheTurnAndTheNinthBallWins) {
    seat({1, 3, 5});
    host.start("nine");
    const int finder = turn();
    for (int ball = 1; ball <= 8; ++ball) {
        host.find(finder);
        EXPECT_TRUE(host.lastTo(6).startsWith(QStringLiteral("CMD_heguessed+%1+").arg(finder)));
        host.endPause();
        EXPECT_EQ(host.lastTo(6), nextPlayer(finder, 1));
    }
    host.outbox.sent.clear();
    const QString word = host.state.hiddenword;
    host.find(finder);
    EXPECT_EQ(host.to(6),
              QStringList({QStringLiteral("CMD_submitted+%1+").arg(finder),
                           QStringLiteral("CMD_yourletters+%1+t+1+sssss+").arg(finder) + word + "+",
                           QStringLiteral("CMD_heguessed+%1+").arg(finder) + word + "+9+1000+",
                           QStringLiteral("CMD_winner+%1+").arg(finder)}));
}

TEST_F(NineBallTest, ASeatThatFailsPassesTheTurnToTheNextPlayingSeat) {
    seat({1, 3, 5});
    host.start("nine");
    QList<int> order{turn()};
    for (int word = 0; word < 4; ++word) {
        host.outbox.sent.clear();
        failFiveRows();
        const QStringList seen = host.to(6);
        for (int row = 2; row <= 5; ++row)
            EXPECT_TRUE(seen.contains(nextPlayer(order.last(), row)));
        EXPECT_EQ(seen.last(), "CMD_nooneguessed+" + host.state.hiddenword + "+");
        host.endPause();
        EXPECT_EQ(host.lastTo(6), nextPlayer(turn(), 1));
        order.append(turn());
    }
    const QList<int> cycle{1, 3, 5, 1, 3, 5, 1, 3};
    const qsizetype offset = cycle.indexOf(order.first());
    EXPECT_EQ(order, cycle.mid(offset, 5)); // seats 2 and 4 are free and skipped
}

TEST_F(NineBallTest, ASeatThatLetsEveryRowRunOutPlaysTheNextWordAgain) {
    seat({1, 3});
    host.start("nine");
    const int first = turn();
    for (int row = 1; row <= 5; ++row)
        host.runOutRow();
    host.endPause();
    EXPECT_EQ(turn(), first);
}

TEST_F(NineBallTest, WithTheComputerOnSeatTwoTakesTurnsEvenWhenFree) {
    seat({1, 3});
    host.options.botSpeed = 500;
    host.start("nine", true);
    while (turn() != 2) {
        failFiveRows();
        host.endPause();
    }
    EXPECT_EQ(host.lastTo(1), nextPlayer(2, 1));
    EXPECT_TRUE(host.clock.computerActive);
    EXPECT_EQ(host.clock.computerInterval, 500);

    host.outbox.sent.clear();
    host.rules.bot.computertimerTimer();
    const QStringList seen = host.to(1);
    ASSERT_GE(seen.size(), 2);
    EXPECT_EQ(seen[0], "CMD_submitted+2+");
    EXPECT_TRUE(seen[1].startsWith("CMD_yourletters+2+t+1+")) << seen[1].toStdString();
    EXPECT_EQ(host.to(6).mid(0, 2), seen.mid(0, 2));
}

TEST_F(NineBallTest, WhenTheTurnHoldersConnectionLeavesTheWordEndsAtOnce) {
    seat({1, 3});
    host.start("nine");
    const int leaver = turn();
    const int stayer = leaver == 1 ? 3 : 1;
    host.state.player(leaver).inuse = false;
    host.outbox.sent.clear();
    host.rules.referee.turnSeatLeft(leaver);
    EXPECT_EQ(host.to(stayer), QStringList{"CMD_nooneguessed+" + host.state.hiddenword + "+"});

    host.outbox.sent.clear();
    host.rules.referee.turnSeatLeft(leaver); // in the pause: the word is already over
    EXPECT_TRUE(host.outbox.sent.empty());
    host.endPause();
    EXPECT_EQ(host.lastTo(stayer), nextPlayer(stayer, 1));
}

TEST_F(NineBallTest, WithNoPlayableSeatTheTurnWaitsUntilASeatCanPlay) {
    seat({1, 3});
    host.start("nine");
    host.state.player(1).watching = true;
    host.state.player(3).watching = true;
    for (int row = 1; row <= 5; ++row)
        host.runOutRow();
    host.outbox.sent.clear();
    host.endPause();
    EXPECT_EQ(host.to(6), QStringList{"CMD_loadball+1+" + host.letter() + "+"});
    EXPECT_FALSE(host.clock.turnActive);
    EXPECT_TRUE(host.rules.referee.waitingForSeat());
    host.guess(1, host.state.hiddenword);
    host.guess(3, host.state.hiddenword);
    host.tick(100);
    EXPECT_EQ(host.to(6).size(), 1);

    host.rules.referee.seatBecamePlayable(); // still nobody
    EXPECT_EQ(host.to(6).size(), 1);
    host.state.player(3).watching = false;
    host.rules.referee.seatBecamePlayable();
    EXPECT_EQ(host.lastTo(6), nextPlayer(3, 1));
    EXPECT_TRUE(host.clock.turnActive);
    host.find(3);
    EXPECT_TRUE(host.lastTo(6).startsWith("CMD_heguessed+3+"));
}

} // namespace

#include "rules_harness.h"

#include <gtest/gtest.h>

namespace {

class RefereeTest : public ::testing::Test {
protected:
    void SetUp() override { host.seatAnnCidAndSpy(); }
    // The messages that a find of the current word by slot sends a bystander.
    QStringList findMessages(int slot, const QString& heguessedTail) const {
        const QString word = host.state.hiddenword;
        return {QStringLiteral("CMD_submitted+%1+").arg(slot),
                QStringLiteral("CMD_wordlist+%1+1+").arg(slot) + word + "+2++3++4++5+",
                QStringLiteral("CMD_heguessed+%1+").arg(slot) + word + "+" + heguessedTail};
    }
    QStringList nextWordMessages(int ball, int slot) const {
        return {QStringLiteral("CMD_loadball+%1+").arg(ball) + host.letter() + "+",
                QStringLiteral("CMD_nextplayer+%1+1+").arg(slot)};
    }
    RulesHarness host;
};

TEST_F(RefereeTest, HighGameScoresBallNumbersAndEndsWhenTheLeaderCannotBeCaught) {
    host.start("high");
    EXPECT_EQ(host.to(3),
              QStringList({"CMD_startgame+Ann+high+1+", "CMD_chat+0+Table rules: classic marks.|"
                                                        "$00005E00"}) +
                  nextWordMessages(1, 3));
    EXPECT_EQ(host.to(6).last(), "CMD_nextplayer+6+1+");

    int score = 0;
    for (int ball = 1; ball <= 6; ++ball) {
        score += ball;
        host.outbox.sent.clear();
        const QStringList find = findMessages(1, QStringLiteral("%1+%2+").arg(ball).arg(score));
        host.find(1);
        EXPECT_EQ(host.to(3), find);
        host.endPause();
        EXPECT_EQ(host.to(3).mid(3), nextWordMessages(ball + 1, 3));
    }
    // 28 points against 0 + 7 + 8 + 9.
    host.outbox.sent.clear();
    const QStringList find = findMessages(1, "7+28+");
    host.find(1);
    EXPECT_EQ(host.to(3), find + QStringList({"CMD_winner+1+", "CMD_impossible+"}));
    EXPECT_FALSE(host.state.gameon);
    EXPECT_FALSE(host.clock.turnActive);
    EXPECT_EQ(host.state.ballowner[7], 1);
}

TEST_F(RefereeTest, MostGameCountsBallsAndShowsNoScore) {
    host.start("most");
    for (int ball = 1; ball <= 4; ++ball) {
        host.find(3);
        host.endPause();
    }
    host.outbox.sent.clear();
    const QStringList find = findMessages(3, "5+1000+");
    host.find(3); // 5 balls against 0 + 4 still open
    EXPECT_EQ(host.to(1), find + QStringList({"CMD_winner+3+", "CMD_impossible+"}));
}

TEST_F(RefereeTest, RaceGivesEachSeatItsOwnBallAndTheNinthWins) {
    host.start("race");
    host.find(1);
    host.outbox.sent.clear();
    host.endPause();
    EXPECT_EQ(host.to(1).first(), "CMD_loadball+2+" + host.letter() + "+");
    EXPECT_EQ(host.to(3).first(), "CMD_loadball+1+" + host.letter() + "+");
    EXPECT_EQ(host.to(6).first(), "CMD_loadball+1+" + host.letter() + "+");

    for (int ball = 2; ball <= 8; ++ball) {
        host.find(1);
        host.endPause();
    }
    host.outbox.sent.clear();
    const QStringList find = findMessages(1, "9+1000+");
    host.find(1);
    EXPECT_EQ(host.to(3), find + QStringList{"CMD_winner+1+"});
    EXPECT_FALSE(host.state.gameon);
}

TEST_F(RefereeTest, TiedBestScoresNameEveryLeaderInSeatOrder) {
    struct Case {
        QList<int> finders;
        const char* message;
    };
    const Case cases[] = {
        {{1, 3, 1, 3, 1, 3, 1, 3, 6}, "CMD_tiegame+Ann and Cid+"},
        {{2, 2, 2, 2, 1, 1, 1, 1, 3}, "CMD_tiegame+Ann and Klot+"}, // seat 2 is the computer
    };
    for (const Case& c : cases) {
        host.start("most", true);
        for (int finder : c.finders) {
            host.find(finder);
            host.endPause();
        }
        EXPECT_EQ(host.lastTo(1), c.message);
        EXPECT_FALSE(host.state.gameon);
    }
}

TEST_F(RefereeTest, TheGameEndsEarlyOnlyWhenNoSeatCanReachTheLeader) {
    struct Case {
        const char* type;
        int ball;
        int leaderBefore;
        int chaser;
        bool ends;
    };
    const Case cases[] = {
        {"high", 8, 25, 3, true},  // 33 against 3 + 8 + 9
        {"high", 7, 18, 3, false}, // 25 against 3 + 7 + 8 + 9
        {"most", 5, 4, 0, true},   // 5 against 0 + 4
        {"most", 4, 3, 0, false},  // 4 against 0 + 5
    };
    for (const Case& c : cases) {
        host.start(c.type);
        host.state.ballno = c.ball;
        host.state.player(1).score = c.leaderBefore;
        host.state.player(3).score = c.chaser;
        host.find(1);
        EXPECT_EQ(host.lastTo(3) == "CMD_impossible+", c.ends) << c.type << " ball " << c.ball;
        EXPECT_EQ(host.state.gameon, !c.ends);
    }
}

TEST_F(RefereeTest, ASpyPlaysOutsideNineAndIsNotWaitedFor) {
    host.start("high");
    host.guess(1, host.wrongWord());
    host.guess(3, host.wrongWord());
    EXPECT_EQ(host.lastTo(6), "CMD_nextplayer+6+2+"); // row 2 without the spy's guess

    host.guess(6, "BRAED");
    host.find(1);
    host.endPause();

    const QString word = host.state.hiddenword;
    host.find(6);
    EXPECT_TRUE(host.to(1).contains("CMD_wordlist+6+1+" + word + "+2++3++4++5+"));
    EXPECT_EQ(host.lastTo(1), "CMD_heguessed+6+" + word + "+2+2+");
    EXPECT_EQ(host.state.ballowner[2], 6);
    EXPECT_EQ(host.state.player(6).raceball, 1); // 0 until a spy's first find
}

TEST_F(RefereeTest, TimeUpGoesOnlyToThoseWhoHadNotGuessedAndToASpyOnce) {
    host.start("high");
    host.guess(1, host.wrongWord());
    host.outbox.sent.clear();
    host.tick(22);
    EXPECT_TRUE(host.outbox.sent.empty());
    host.tick();
    EXPECT_FALSE(host.to(1).contains("CMD_timeup+1+"));
    EXPECT_EQ(host.to(3).first(), "CMD_timeup+1+");
    EXPECT_EQ(host.to(6).first(), "CMD_timeup+1+");
    EXPECT_EQ(host.lastTo(3), "CMD_nextplayer+3+2+");

    host.outbox.sent.clear();
    host.runOutRow();
    EXPECT_EQ(host.to(1).first(), "CMD_timeup+2+");
    EXPECT_EQ(host.to(3).first(), "CMD_timeup+2+");
    EXPECT_EQ(host.to(6), QStringList{"CMD_nextplayer+6+3+"});
}

TEST_F(RefereeTest, AWatchingSeatIsNotWaitedForAndTheRowEndsAtTheLastGuess) {
    host.start("most");
    host.state.player(3).watching = true;
    host.guess(1, host.wrongWord());
    EXPECT_EQ(host.lastTo(1), "CMD_nextplayer+1+2+");
    EXPECT_EQ(host.state.countdown, 22);
}

TEST_F(RefereeTest, AnUnfoundWordIsRevealedAndReplacedForTheSameBall) {
    host.start("most");
    for (int row = 1; row <= 5; ++row)
        host.runOutRow();
    EXPECT_EQ(host.lastTo(1), "CMD_nooneguessed+" + host.state.hiddenword + "+");

    host.outbox.sent.clear();
    host.find(1); // in the pause
    EXPECT_TRUE(host.outbox.sent.empty());
    host.endPause();
    EXPECT_EQ(host.to(1), nextWordMessages(1, 1));
}

TEST_F(RefereeTest, AStartResetsSeats) {
    host.state.player(3).watching = true;
    host.state.player(3).score = 7;
    host.state.player(6).score = 2;
    host.start("race", true);
    EXPECT_TRUE(host.state.botplays);
    EXPECT_FALSE(host.state.player(3).watching);
    EXPECT_EQ(host.state.player(3).score, 0);
    EXPECT_EQ(host.state.player(6).score, 2); // spies keep theirs
    EXPECT_EQ(host.to(6).first(), "CMD_startgame+Ann+race+0+");
}

} // namespace

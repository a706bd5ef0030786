#include "host/guess_judge.h"
#include "net/protocol.h"
#include "rules_harness.h"

#include <gtest/gtest.h>

namespace {

TEST(LetterMarks, MarkEachPositionAsTheHostHasAlwaysDone) {
    struct Case {
        const char* hidden;
        const char* guess;
        const char* marks;
    };
    const Case cases[] = {
        {"BREAD", "BOARD", "sxccs"}, // letters elsewhere
        {"CRANE", "CREEK", "ssccx"}, // both E are "c" though the word has one
        {"SWEAT", "SWEET", "sssxs"}, // the second E: the word's E is matched in place
        {"ANGEL", "AGREE", "scxsx"},
        {"VERSE", "VERBS", "scsxc"}, // the right-place E is "c": the
                                     // other E is unmatched
        {"VERSE", "VALUE", "sxxxc"},
        {"BREAD", "BREAD", "sssss"},
        {"BREAD", "bread", "sssss"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lettermarks(c.guess, c.hidden), c.marks) << c.hidden << " / " << c.guess;
}

TEST(LetterMarks, ShortGuessesAreMarkedWithoutReadingPastTheirEnd) {
    EXPECT_EQ(lettermarks("BR", "BREAD"), "ssxxx");
    EXPECT_EQ(lettermarks("", "BREAD"), "xxxxx");
}

class GuessJudgeTest : public ::testing::Test {
protected:
    void SetUp() override { host.seatAnnCidAndSpy(); }
    RulesHarness host;
};

TEST_F(GuessJudgeTest, ALowerCaseGuessFindsTheWord) {
    host.start("high");
    const QString word = host.state.hiddenword;
    host.outbox.sent.clear();
    host.guess(3, word.toLower());
    const QStringList toCid = host.to(3);
    ASSERT_GE(toCid.size(), 2);
    EXPECT_EQ(toCid[0], "CMD_submitted+3+");
    EXPECT_EQ(toCid[1], "CMD_yourletters+3+f+1+sssss+" + word + "+");
    EXPECT_TRUE(host.to(1).contains("CMD_heguessed+3+" + word + "+1+1+"));
}

TEST_F(GuessJudgeTest, AWordOutsideTheDictionaryIsNotValidAndUsesTheRow) {
    host.start("high");
    host.outbox.sent.clear();
    host.guess(3, "braed");
    EXPECT_EQ(host.to(3), QStringList({"CMD_submitted+3+", "CMD_notvalid+3+f+BRAED+1+"}));
    EXPECT_EQ(host.to(1), QStringList{"CMD_submitted+3+"}); // no copy outside "nine"
    EXPECT_EQ(host.state.player(3).rowwords[0], "BRAED");
}

TEST_F(GuessJudgeTest, InNineEveryoneElseSeesTheGuessersResults) {
    host.start("nine");
    const int seat = host.state.currentseat;
    const int other = seat == 1 ? 3 : 1;
    host.outbox.sent.clear();
    host.guess(seat, "BRAED");
    const QString notvalid = QStringLiteral("CMD_notvalid+%1+%2+BRAED+1+").arg(seat);
    EXPECT_TRUE(host.to(seat).contains(notvalid.arg("f")));
    EXPECT_TRUE(host.to(other).contains(notvalid.arg("t")));
    EXPECT_TRUE(host.to(6).contains(notvalid.arg("t")));

    const QString wrong = host.wrongWord();
    const QString marks = lettermarks(wrong, host.state.hiddenword);
    host.guess(seat, wrong);
    const QString letters =
        QStringLiteral("CMD_yourletters+%1+%2+2+").arg(seat) + marks + "+" + wrong + "+";
    EXPECT_TRUE(host.to(seat).contains(letters.arg("f")));
    EXPECT_TRUE(host.to(6).contains(letters.arg("t")));
}

TEST_F(GuessJudgeTest, GuessesOutOfTurnOrWithNoWordOpenAreIgnored) {
    host.guess(1, "BREAD"); // no game yet
    host.start("nine");
    const int other = host.state.currentseat == 1 ? 3 : 1;
    host.outbox.sent.clear();
    host.guess(other, host.state.hiddenword);
    EXPECT_THROW(host.guess(12, host.state.hiddenword),
                 MalformedMessage); // the dispatcher drops it
    EXPECT_THROW(host.guess(0, host.state.hiddenword), MalformedMessage);
    EXPECT_TRUE(host.outbox.sent.empty());
    EXPECT_TRUE(host.state.wordopen);
}

TEST_F(GuessJudgeTest, AnEmptyGuessIsAnnouncedButNotJudged) {
    host.start("most");
    host.outbox.sent.clear();
    host.guess(1, "");
    host.guess(3, "");
    EXPECT_EQ(host.to(1), QStringList({"CMD_submitted+1+", "CMD_submitted+3+"}));
    EXPECT_EQ(host.state.row, 1);
}

} // namespace

#include "host/guess_judge.h"
#include "rules_harness.h"

#include <gtest/gtest.h>

namespace {

struct MarksCase {
    const char* hidden;
    const char* guess;
    const char* marks;
};

TEST(LetterMarks, MarkEachPositionAsTheHostHasAlwaysDone) {
    const MarksCase cases[] = {
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
    for (const MarksCase& c : cases)
        EXPECT_EQ(lettermarks(c.guess, c.hidden), c.marks) << c.hidden << " / " << c.guess;
}

TEST(LetterMarks, TheExactRuleKeepsRightPlacesRightAndCountsCopies) {
    const MarksCase cases[] = {
        {"LLAMA", "LEAPT", "sxsxx"}, // the L and the A in place stay right
        {"VERSE", "VERBS", "sssxc"}, // the E in place is right though another E is unmatched
        {"CRANE", "CREEK", "sscxx"}, // one E in the word: only the first other E is "c"
        {"SPEED", "SEEDS", "scscx"}, // the word has one S, used up in its place
        {"LEVEL", "LOLLY", "sxcxx"}, // one L left over: the next L is "c", the third "x"
        {"GEESE", "GREET", "sxscx"}, // E in place, one more E elsewhere
        {"ROBOT", "ROOST", "sscxs"}, // the second O is the word's other O
        {"ABBEY", "BABES", "ccssx"}, // the B in place leaves one B for the first
        {"TOTAL", "TATTY", "scsxx"}, // both T of the word matched: the third T is "x"
        {"EERIE", "EAGLE", "sxxxs"}, {"SWEAT", "SWEET", "sssxs"},
        {"BREAD", "BOARD", "sxccs"}, {"BREAD", "bread", "sssss"},
    };
    for (const MarksCase& c : cases)
        EXPECT_EQ(lettermarks(c.guess, c.hidden, MarksRule::Exact), c.marks)
            << c.hidden << " / " << c.guess;
    EXPECT_EQ(lettermarks("LEAPT", "LLAMA", MarksRule::Classic), "cxcxx"); // the help's example
    EXPECT_EQ(lettermarks("BR", "BREAD", MarksRule::Exact), "ssxxx");
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

// Each game start reads the table's rules, tells every window, and keeps
// them for the whole game; the judge marks by them. Klot's part is named only
// where Klot plays: in a free seat 2, or for a player whose seat 2 is held.
TEST(TableRules, EachGameStartTellsEveryWindowAndTheJudgeMarksByThem) {
    enum SeatTwo { Free, Taken, Held };
    struct Case {
        bool botOn, fair, exact;
        SeatTwo seatTwo;
        const char* line;
        const char* marks; // of VERBS against VERSE
    };
    const Case cases[] = {
        {true, false, false, Free, "Table rules: classic marks, Klot gets hints.", "scsxc"},
        {true, true, true, Free, "Table rules: exact marks, Klot plays fair.", "sssxc"},
        {false, true, false, Free, "Table rules: classic marks.", "scsxc"},
        {false, false, true, Free, "Table rules: exact marks.", "sssxc"},
        {true, false, false, Taken, "Table rules: classic marks.", "scsxc"},
        {true, true, true, Held, "Table rules: exact marks, Klot plays fair.", "sssxc"},
    };
    for (const Case& c : cases) {
        RulesHarness host({"verse"}, {"verse", "verbs"});
        host.seatAnnCidAndSpy();
        if (c.seatTwo != Free) {
            host.connect(2, "Bob");
            host.state.player(2).away = c.seatTwo == Held;
        }
        host.options.botfair = c.fair;
        host.options.exactmarks = c.exact;
        host.start("most", c.botOn);
        const QString line = QStringLiteral("CMD_chat+0+%1|$00005E00").arg(c.line);
        for (int slot : {1, 3, 6})
            EXPECT_EQ(host.to(slot).value(1), line) << c.line;

        host.options.exactmarks = !c.exact; // a change waits for the next game
        host.guess(1, "verbs");
        EXPECT_EQ(host.lastTo(1), QStringLiteral("CMD_yourletters+1+f+1+%1+VERBS+").arg(c.marks));
    }
}

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

// The pool table through the window: the scripts and their step rule, the
// break and shots, a joiner's catch-up, racks, and the end of a game with
// what it leaves in the tally.
#include "client/board/word_list_panel.h"
#include "client/table/ball_scripts.h"
#include "client_harness.h"
#include "tally/ttallylist.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>

namespace clienttest {
namespace {

using ballscripts::Point;

TEST(BallScripts, StepsPointAboutFiftySevenPixelsTowardTheTarget) {
    struct Case {
        int script, line;
        Point from;
        Point step;
    };
    // By hand: K = 57.2958; step = K * (dx, dy) / |(dx, dy)|, rounded.
    const Case cases[] = {
        {2, 0, {337, 102}, {-57, 0}},  // dx -180, dy 0
        {1, 0, {337, 102}, {-57, 3}},  // dx -182, dy 11: 57.19, 3.46
        {1, 1, {137, 110}, {55, -15}}, // dx 208, dy -56: 55.33, -14.90
        {2, 4, {100, 92}, {54, -20}},  // dx 176, dy -66: 53.65, -20.12
    };
    for (const Case& c : cases) {
        const auto line = ballscripts::parseLine(ballscripts::lineText(c.script, c.line));
        ASSERT_TRUE(line) << c.script << ":" << c.line;
        const Point step = ballscripts::stepToward(c.from, line->target);
        EXPECT_EQ(step.x, c.step.x) << c.script << ":" << c.line;
        EXPECT_EQ(step.y, c.step.y) << c.script << ":" << c.line;
    }
    EXPECT_FALSE(ballscripts::parseLine("**"));
    EXPECT_FALSE(ballscripts::parseLine(""));
    const auto pocket = ballscripts::parseLine(ballscripts::lineText(1, 10));
    ASSERT_TRUE(pocket);
    EXPECT_EQ(pocket->state, 'p');
    EXPECT_EQ(pocket->ball, 1);
    EXPECT_EQ(pocket->target.x, 441);
    EXPECT_EQ(pocket->target.y, 6);
}

class TableTest : public ClientHarness {
protected:
    const BallAnimation& balls() const { return probe().table().animation(); }
    // Ticks the animation until every ball rests and no shot is owed.
    void settleTable() {
        for (int tick = 0; tick < 20000; ++tick) {
            if (balls().atRest() && balls().owedShots() == 0 && balls().moveline() >= 8)
                return;
            probe().table().moveballs();
        }
        FAIL() << "the table never came to rest";
    }
    // What the player sees: the numbered balls whose pictures are hidden.
    std::vector<int> picturesOffTheTable() const {
        std::vector<int> gone;
        for (int b = 1; b <= 9; ++b) {
            const auto* ball = chat->findChild<QLabel*>("ball_" + QString::number(b));
            if (!ball || ball->isHidden())
                gone.push_back(b);
        }
        return gone;
    }
    std::vector<int> pocketed() const {
        std::vector<int> gone;
        for (int b = 1; b <= 9; ++b) {
            if (!balls().shown(b))
                gone.push_back(b);
        }
        return gone;
    }
};

TEST_F(TableTest, SetUpsAlternateScriptsStartingWithTheSecond) {
    logIn(1);
    std::vector<int> scripts;
    for (int game = 0; game < 3; ++game) {
        hostSays("CMD_startgame+Ann+high+0+");
        scripts.push_back(balls().script());
    }
    EXPECT_EQ(scripts, (std::vector<int>{2, 1, 2}));
    EXPECT_EQ(probe().table().caption()->text(), "HIGH SCORE GAME");
    EXPECT_EQ(probe().seats().scoreLabel(1)->text(), "0");
}

TEST_F(TableTest, AFoundWordSinksTheNextBallEvenWhenFoundDuringTheBreak) {
    logIn(1);
    hostSays("CMD_startgame+Ann+most+0+");
    // Found before the break is over: owed, then played from the right line.
    hostSays({"CMD_loadball+1+H+", "CMD_heguessed+1+HOUSE+1+1000+"});
    settleTable();
    EXPECT_EQ(pocketed(), std::vector<int>{1});
    EXPECT_EQ(probe().model().seat(1).rack, QList<int>{1});
    EXPECT_EQ(probe().seats().scoreLabel(1)->text(), ""); // 1000: no score shown
    hostSays("CMD_heguessed+1+MOUSE+2+1000+");
    settleTable();
    EXPECT_EQ(pocketed(), (std::vector<int>{1, 2}));
    EXPECT_EQ(probe().model().seat(1).rack, (QList<int>{1, 2}));
}

// A spy who comes late sees the table as the game stands: the pocketed
// balls, a spy's find among them, are off it at once; the next find sinks
// the next ball only.
TEST_F(TableTest, ALateSpySeesThePocketedBallsOffTheTableAtOnce) {
    logIn(7, "Eve");
    hostSays({"CMD_gamestats+high+1+4+K+", "CMD_playerscores+1+4+2+0+3+2+4+0+5+1000",
              "CMD_ballowners+1+1+2+3+3+8+4+0+5+0+6+0+7+0+8+0+9+0"});
    EXPECT_EQ(probe().model().seat(1).rack, QList<int>{1});
    EXPECT_EQ(probe().model().seat(3).rack, QList<int>{2});
    EXPECT_EQ(probe().seats().scoreLabel(3)->text(), "2");
    EXPECT_EQ(probe().seats().scoreLabel(5)->text(), "");
    EXPECT_EQ(picturesOffTheTable(), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(balls().idle()); // nothing left to play out
    hostSays("CMD_heguessed+2+KNOCK+4+4+");
    settleTable();
    EXPECT_EQ(picturesOffTheTable(), (std::vector<int>{1, 2, 3, 4}));
}

// The found word's shot plays in full view: the word list opens only when
// the table is at rest, and the ball reaches the rack only once it has left
// the table.
TEST_F(TableTest, TheShotPlaysBeforeTheWordListOpensAndTheBallEntersTheRack) {
    logIn(1);
    probe().menu().ShowWordList1->setChecked(true);
    hostSays({"CMD_existingplayers+2+Bob+0", "CMD_startgame+Ann+most+0+"});
    settleTable();
    hostSays({"CMD_loadball+1+H+", "CMD_wordlist+2+1+HEART+2+HOUSE+3++4++5+",
              "CMD_heguessed+2+HOUSE+1+1000+"});
    const WordListPanel* words = probe().board().wordListPanel();
    int ticks = 0;
    bool rackedOnTable = false, listOverTheShot = false;
    for (; ticks < 20000 && !(balls().idle() && words->isVisible()); ++ticks) {
        rackedOnTable |= !probe().model().seat(2).rack.isEmpty() && balls().shown(1);
        listOverTheShot |= words->isVisible() && !balls().idle();
        probe().table().moveballs();
    }
    EXPECT_GT(ticks, 30); // the shot took its time
    EXPECT_FALSE(rackedOnTable);
    EXPECT_FALSE(listOverTheShot);
    EXPECT_TRUE(words->isVisible());
    EXPECT_EQ(words->word(2), "HOUSE");
    EXPECT_EQ(probe().model().seat(2).rack, QList<int>{1});
    EXPECT_EQ(picturesOffTheTable(), std::vector<int>{1});
}

TEST_F(TableTest, RaceGamesMoveOnlyTheFindersOwnTable) {
    logIn(1);
    hostSays("CMD_startgame+Ann+race+0+");
    EXPECT_EQ(probe().table().caption()->text(), "RACE TO 9");
    settleTable();
    hostSays("CMD_heguessed+2+HOUSE+1+1000+");
    settleTable();
    EXPECT_EQ(probe().model().seat(2).rack, QList<int>{1});
    EXPECT_TRUE(pocketed().empty());
    hostSays("CMD_heguessed+1+MOUSE+1+1000+");
    settleTable();
    EXPECT_EQ(pocketed(), std::vector<int>{1});
}

TEST_F(TableTest, RaceJoinersFillRacksAndOnlyTheirOwnCountSetsTheTable) {
    logIn(2);
    hostSays({"CMD_gamestats+race+1+3+K+", "CMD_theyown+1+3+2+2+3+0+4+0+5+0"});
    EXPECT_EQ(probe().table().caption()->text(), "RACE TO NINE");
    EXPECT_EQ(probe().model().seat(1).rack, (QList<int>{1, 2, 3}));
    EXPECT_EQ(probe().model().seat(2).rack, (QList<int>{1, 2}));
    EXPECT_EQ(picturesOffTheTable(), (std::vector<int>{1, 2})); // the own two
    hostSays("CMD_theyown+1+10+2+2+3+0+4+0+5+0");               // more than a rack holds: dropped
    EXPECT_EQ(probe().model().seat(1).rack, (QList<int>{1, 2, 3}));
}

class TallyTest : public TableTest {
protected:
    class Yes : public TallyPrompts {
        bool confirm(QWidget*, const QString&) override { return true; }
        void inform(QWidget*, const QString&) override {}
    };
    void SetUp() override {
        tallyPath = home.filePath("Ludomyratally.tld");
        tally = std::make_unique<Ttallylist>(tallyPath, prompts);
        appHooks.addgame = [this](const QString& winnerText) {
            tally->addgame(winnerText);
        };
        TableTest::SetUp();
    }
    void TearDown() override {
        tally.reset();
        TableTest::TearDown();
    }
    // Games and own wins as the file on disk holds them.
    std::pair<qint64, qint64> savedTotals() {
        EXPECT_TRUE(QFile::exists(tallyPath));
        Ttallylist reread(tallyPath, prompts);
        return {reread.scores().count(TallyGrid::kMyGames, 0),
                reread.scores().count(TallyGrid::kMyWins, 0)};
    }
    Yes prompts;
    QString tallyPath;
    std::unique_ptr<Ttallylist> tally;
};

TEST_F(TallyTest, AWinIsCountedOncePerGameBySeatNotByName) {
    logIn(1, "Ann");
    hostSays({"CMD_existingplayers+3+Ann+0", "CMD_startgame+Ann+nine+0+"});
    EXPECT_FALSE(probe().startButton().isVisible()); // until the game has a result
    hostSays({"CMD_winner+3+", "CMD_winner+3+"});    // the other Ann won, and is told twice
    EXPECT_EQ(savedTotals(), std::make_pair(qint64(1), qint64(0)));
    EXPECT_EQ(probe().table().bannerText(), "Ann has Won the Game!");
    // Neither the caption nor its shadow draws a line under the text.
    for (QLabel* caption : chat->findChild<QWidget*>("panel_winner")->findChildren<QLabel*>()) {
        caption->ensurePolished();
        EXPECT_FALSE(caption->font().underline()) << caption->objectName().toStdString();
    }
    EXPECT_TRUE(chatText().contains("Ann has Won the Game!"));
    EXPECT_TRUE(probe().startButton().isVisible()); // slot 1 may start the next

    hostSays({"CMD_startgame+Ann+nine+0+", "CMD_winner+1+"});
    EXPECT_EQ(savedTotals(), std::make_pair(qint64(2), qint64(1)));

    hostSays({"CMD_startgame+Ann+most+0+", "CMD_tiegame+Ann and Ann+"});
    EXPECT_EQ(savedTotals(), std::make_pair(qint64(2), qint64(1)));
    EXPECT_EQ(probe().table().bannerText(), "Ann and Ann have Won!");
}

TEST_F(TallyTest, ASpyCountsNothingAndAFreeSeatTwoWinsAsKlot) {
    logIn(6, "Dee");
    hostSays({"CMD_startgame+Bob+high+0+", "CMD_winner+2+"});
    EXPECT_EQ(probe().table().bannerText(), "Klot has Won the Game!");
    EXPECT_TRUE(chatText().contains("Bob has started a game."));
    EXPECT_FALSE(probe().startButton().isVisible());
    EXPECT_EQ(tally->scores().count(TallyGrid::kMyGames, 0), 0);
}

// In a solo game Klot sits in seat 2 with no stored player: it must still be
// offered in "Players In Current Game", so games against it can be followed.
TEST_F(TallyTest, KlotIsOfferedToTheTallyAndGamesAgainstItAreCounted) {
    struct : TallySeats {
        std::function<QStringList()> names;
        QStringList otherSeatedNames() const override { return names(); }
    } seats;
    seats.names = [this] {
        return chat->loadchecklist();
    };
    tally->setSeats(&seats);
    logIn(1, "You");
    hostSays({"CMD_existingplayers+4+Cy+0", "CMD_startgame+You+high+0+"});
    tally->loadchecklist();
    auto* current = tally->findChild<QListWidget*>("checklist");
    ASSERT_TRUE(current);
    ASSERT_EQ(current->count(), 2);
    EXPECT_EQ(current->item(0)->text(), "Klot");
    EXPECT_EQ(current->item(1)->text(), "Cy");
    current->item(0)->setCheckState(Qt::Checked);

    hostSays("CMD_winner+2+");
    const TallyGrid& grid = tally->scores();
    ASSERT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.cell(TallyGrid::Name, 1), "Klot");
    EXPECT_EQ(grid.count(TallyGrid::Games, 1), 1);
    EXPECT_EQ(grid.count(TallyGrid::HisWins, 1), 1);
}

} // namespace
} // namespace clienttest

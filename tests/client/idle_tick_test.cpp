// Timer1 costs CPU on every tick, so an idle window ticks slowly; whatever
// gives it work (a phrase's cool-down, the table's break) must have it tick
// at its counted pace again, and idle again once done.
#include "client/chat/phrase_buttons.h"
#include "client_harness.h"

#include <QPushButton>
#include <QTest>

namespace {

using namespace clienttest;

class IdleTick : public ClientHarness {
protected:
    int interval() const { return probe().timer().interval(); }
    bool idleAgain() {
        return waitFor([&] { return interval() == Tchat::kTimer1IdleIntervalMs; }, 10000);
    }
};

TEST_F(IdleTick, APhraseCoolsDownAtTheCountedPaceThenTheWindowIdlesAgain) {
    logIn(1);
    ASSERT_TRUE(idleAgain());
    PhraseButtons& phrases = *probe().chat().phraseButtons();
    QTest::mouseClick(phrases.button(0), Qt::LeftButton);
    ASSERT_FALSE(phrases.phraseready);
    EXPECT_EQ(interval(), Tchat::kTimer1IntervalMs);
    // 101 ticks of 16 ms; idle ticks would take ten seconds.
    EXPECT_TRUE(waitFor([&] { return phrases.phraseready; }, 5000));
    EXPECT_TRUE(idleAgain());
}

TEST_F(IdleTick, TheBreakPlaysAtTheCountedPaceThenTheWindowIdlesAgain) {
    logIn(1);
    ASSERT_TRUE(idleAgain());
    hostSays("CMD_startgame+Ann+high+0+");
    const BallAnimation& balls = probe().table().animation();
    ASSERT_FALSE(balls.idle());
    EXPECT_EQ(interval(), Tchat::kTimer1IntervalMs);
    EXPECT_TRUE(waitFor([&] { return balls.idle(); }, 20000));
    EXPECT_TRUE(idleAgain());
}

} // namespace

// Sounds through the window: which clips the game asks for, the two
// switches, and chatter sounds sent, received, refused or shown as a line.
#include "client_harness.h"

#include <QMenu>
#include <QSet>

namespace clienttest {
namespace {

class SoundsTest : public ClientHarness {
protected:
    void SetUp() override {
        ClientHarness::SetUp();
        probe().sounds().player = [this](const QString& name) {
            played << name;
        };
    }
    QStringList heard() { return std::exchange(played, {}); }
    QStringList played;
};

TEST_F(SoundsTest, GameEventsAskForTheirClipsWhilePlaySoundsIsOn) {
    logIn(1);
    EXPECT_EQ(heard(), QStringList{"entered"});
    struct Step {
        QStringList messages;
        QStringList expected;
    };
    const Step steps[] = {
        {{"CMD_startgame+Ann+high+0+", "CMD_loadball+1+H+", "CMD_nextplayer+1+1+"}, {"turn"}},
        {{"CMD_yourletters+1+f+1+sxxxx+HOUSE+"}, {"wrongguess"}},
        {{"CMD_notvalid+1+f+HXXXX+2+"}, {"wrongguess"}},
        {{"CMD_timeup+3+"}, {"wrongguess"}},
        {{"CMD_heguessed+2+HOUSE+1+1+"}, {}}, // somebody else's find
        {{"CMD_heguessed+1+HOUSE+2+3+"}, {"rightguess"}},
        {{"CMD_winner+1+"}, {"gameover"}},
    };
    for (const Step& step : steps) {
        hostSays(step.messages);
        QStringList got = heard();
        got.removeAll("ballhit"); // the table's own, as it plays
        EXPECT_EQ(got, step.expected) << step.messages.join(" ").toStdString();
    }
    probe().menu().New1->trigger();
    hostSays("CMD_nextplayer+1+2+");
    EXPECT_EQ(heard(), QStringList{"turnnew"});

    probe().menu().PlaySounds1->setChecked(false);
    hostSays({"CMD_nextplayer+1+3+", "CMD_yourletters+1+f+3+sxxxx+HOUSE+"});
    EXPECT_TRUE(heard().isEmpty());
}

TEST_F(SoundsTest, OnlyChatterSoundsFromSeatsPlayAndOnlyWhileSwitchedOn) {
    logIn(1);
    hostSays("CMD_existingplayers+2+Bob+0");
    probe().menu().PlayChatterSounds1->setChecked(true);
    probe().menu().PlaySounds1->setChecked(false); // chatter has its own switch
    heard();
    hostSays({"CMD_playasound+2+WAVE12+", "CMD_playasound+7+wave3+", "CMD_playasound+2+turn+",
              "CMD_playasound+2+wave21+", "CMD_playasound+2+wave0+", "CMD_playasound+2+wave1"});
    EXPECT_EQ(heard(), (QStringList{"wave12", "wave1"}));

    probe().menu().PlayChatterSounds1->setChecked(false);
    hostSays({"CMD_playasound+2+wave12+", "CMD_playasound+2+gameover+"});
    EXPECT_TRUE(heard().isEmpty());
    // The pane puts a blank after the speaker as after every word.
    EXPECT_TRUE(chatText().contains("Bob: <Chatter Sound> Oh No"));
    EXPECT_EQ(chatText().count("<Chatter Sound>"), 1);
}

TEST_F(SoundsTest, TheSoundMenuSendsForASeatedPlayerOnly) {
    QMenu* menu = probe().sounds().popup();
    ASSERT_EQ(menu->actions().size(), 21);
    EXPECT_EQ(menu->actions().first()->text().remove(u'&'), "<Cancel>");
    EXPECT_EQ(menu->findChild<QAction*>("wave20")->text().remove(u'&'), "Crying");
    // A letter picks one sound only: no two sounds share a key (with 21 sounds
    // a few are left to the arrow keys).
    QList<QChar> keys;
    for (const QAction* item : menu->actions()) {
        const qsizetype marked = item->text().indexOf(u'&');
        if (marked >= 0)
            keys.append(item->text()[marked + 1].toLower());
    }
    EXPECT_GE(keys.size(), menu->actions().size() / 2);
    EXPECT_EQ(QSet<QChar>(keys.begin(), keys.end()).size(), keys.size());
    logIn(3);
    menu->findChild<QAction*>("wave12")->trigger();
    menu->actions().first()->trigger();
    EXPECT_EQ(sent(), QStringList{"CMD_playasound+3+wave12+"});
    EXPECT_TRUE(heard() == QStringList{"entered"}); // heard when the host relays it
}

TEST_F(SoundsTest, ASpyPickingASoundSendsNothing) {
    logIn(6, "Dee");
    probe().sounds().wave12Click(5);
    EXPECT_TRUE(sent().isEmpty());
}

} // namespace
} // namespace clienttest

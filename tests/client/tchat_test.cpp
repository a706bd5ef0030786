#include "client/tchat.h"
#include "program_environment.h"

#include "tchat_probe.h"

#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TchatTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(home.isValid()); }
    testsupport::ProgramEnvironment home;
};

TEST_F(TchatTest, KlotPlaysAtTheSpeedTheMenuShows) {
    Tchat chat;
    const MainMenu& m = TchatProbe(chat).menu();
    EXPECT_EQ(chat.botSpeedMs(), 1000);
    m.Fast1->setChecked(true);
    m.Normal1->setChecked(false);
    EXPECT_EQ(chat.botSpeedMs(), 500);
}

TEST_F(TchatTest, ShrinkingBelowTheBoardSpringsBack) {
    Tchat chat;
    chat.show();
    chat.resize(300, 200);
    QCoreApplication::processEvents();
    EXPECT_GE(chat.centralWidget()->width(), 740);
    EXPECT_GE(chat.centralWidget()->height(), 517);
}

TEST_F(TchatTest, BoundsLargerThanTheWorkAreaAreKeptFifteenPixelsSmaller) {
    const QSize work(1024, 700);
    EXPECT_EQ(Tchat::boundsToSave(QRect(3, 3, 748, 563), work), QRect(3, 3, 748, 563));
    EXPECT_EQ(Tchat::boundsToSave(QRect(0, 0, 1100, 563), work), QRect(0, 0, 1085, 563));
    EXPECT_EQ(Tchat::boundsToSave(QRect(0, 0, 748, 800), work), QRect(0, 0, 748, 785));
}

TEST_F(TchatTest, ResetScreenLocationPutsTheWindowBackAtItsDefaults) {
    Tchat chat;
    chat.show();
    chat.setBounds(QRect(200, 150, 900, 700));
    TchatProbe(chat).menu().ResetScreenLocation1->trigger();
    EXPECT_EQ(chat.bounds(), QRect(3, 3, 748, 563));
}

} // namespace

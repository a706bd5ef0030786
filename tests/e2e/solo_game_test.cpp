// A whole solo game in the real windows, played from the keyboard against
// Klot on fast clocks: the game is started with the keys, every own turn is
// typed into the five edits, and the finished game ends up in the tally file.
#include "app/app_windows.h"
#include "client/guess_row.h"
#include "event_wait.h"
#include "tally/ttallylist.h"
#include "tchat_probe.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using testsupport::waitFor;

class Yes : public TallyPrompts {
    bool confirm(QWidget*, const QString&) override { return true; }
    void inform(QWidget*, const QString&) override {}
};

class SoloGame : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        qputenv("LUDOMYRA_HOME", home.path().toUtf8());
        qputenv("LUDOMYRA_PORT", "0");
        qputenv("LUDOMYRA_TIME_SCALE", "0.02");
    }
    void TearDown() override {
        qunsetenv("LUDOMYRA_HOME");
        qunsetenv("LUDOMYRA_PORT");
        qunsetenv("LUDOMYRA_TIME_SCALE");
    }
    static void typeWord(GuessRow* row, const QString& word) {
        for (int c = 1; c <= 5; ++c)
            QTest::keyClick(row->edit(c), word[c - 1].toLower().toLatin1());
        QTest::keyClick(row->edit(5), Qt::Key_Return);
    }
    QTemporaryDir home;
};

TEST_F(SoloGame, PlayedFromTheKeyboardToItsWinnerAndCountedInTheTally) {
    const QStringList guesses = {"HOUSE", "CRANE", "PLANT", "MONEY", "STORE", "LIGHT"};
    int typed = 0;
    QString banner;
    {
        AppWindows windows(QStringList{}); // no arguments: a solo game
        Tchat& chat = windows.chat;
        const TchatProbe probe(chat);
        probe.sounds().player = [](const QString&) {
        }; // no sound card on CI
        chat.show();
        ASSERT_TRUE(
            waitFor([&] { return probe.state().connected && probe.seats().occupied(1); }, 10000));

        probe.menu().Fast1->trigger();
        chat.gameChoice().gametype = 1; // high score: Klot wins after at most nine words
        chat.gameChoice().botoff = 0;
        probe.menu().StartGame1->trigger();
        auto* start = windows.gamestart().findChild<QLabel*>("button_start");
        ASSERT_TRUE(start);
        ASSERT_TRUE(waitFor([&] { return windows.gamestart().isVisible(); }, 5000));
        QTest::keyClick(start, Qt::Key_Return);

        GuessRow* row = probe.board().guessRow();
        QElapsedTimer clock;
        clock.start();
        while (probe.table().bannerText().isEmpty() && clock.elapsed() < 50000) {
            waitFor(
                [&] {
                    return !probe.table().bannerText().isEmpty() ||
                           (probe.state().turnseat == probe.state().myseat &&
                            row->look() == GuessRow::Look::Open);
                },
                2000);
            if (probe.table().bannerText().isEmpty() &&
                probe.state().turnseat == probe.state().myseat &&
                row->look() == GuessRow::Look::Open)
                typeWord(row, guesses[typed++ % guesses.size()]);
        }
        banner = probe.table().bannerText();
        EXPECT_TRUE(probe.chatText().contains("You have started a game."));
    } // closing the windows writes the tally
    ASSERT_FALSE(banner.isEmpty()) << "no winner within the time";
    EXPECT_TRUE(banner.endsWith(" has Won the Game!") || banner.endsWith(" have Won!"));
    EXPECT_GT(typed, 0);
    RecordProperty("banner", banner.toStdString());
    RecordProperty("typed", typed);

    Yes prompts;
    Ttallylist tally(home.filePath("Ludomyratally.tld"), prompts);
    const qint64 games = tally.scores().count(TallyGrid::kMyGames, 0);
    EXPECT_EQ(games, banner.endsWith(" have Won!") ? 0 : 1);
}

} // namespace

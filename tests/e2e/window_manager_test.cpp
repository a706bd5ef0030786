// Game windows as processes of their own under a real window manager
// (openbox on a display of their own): the frame it draws around them, the
// focus it gives them, and its Alt+F4.
#include "common/inifile.h"
#include "event_wait.h"
#include "gui_process.h"
#include "hosting_window.h"
#include "managed_display.h"
#include "serve_process.h"
#include "solving_peer.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

void PrintTo(const QRect& r, std::ostream* out) {
    *out << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

namespace {

using testsupport::waitFor;

class UnderAWindowManager : public ::testing::Test {
protected:
    void SetUp() override {
        if (!display.unavailable().isEmpty())
            GTEST_SKIP() << display.unavailable().toStdString();
        ASSERT_TRUE(home.isValid());
    }
    QString settingsPath() const { return home.filePath("glenmorra.ini"); }
    static int countHandled(GuiProcess& window, const QString& prefix) {
        int count = 0;
        for (const GuiProcess::Handled& entry : window.handled())
            count += entry.message.startsWith(prefix) ? 1 : 0;
        return count;
    }

    ManagedDisplay display;
    QTemporaryDir home; // the game window's
};

enum class PlayMode { Solo, Host, Join };

class StoredBounds : public UnderAWindowManager, public ::testing::WithParamInterface<PlayMode> {
protected:
    void store(const QRect& bounds) const {
        IniFile ini(settingsPath());
        ini.writeInteger("Ludomyra", "Left", bounds.left());
        ini.writeInteger("Ludomyra", "Top", bounds.top());
        ini.writeInteger("Ludomyra", "Width", bounds.width());
        ini.writeInteger("Ludomyra", "Height", bounds.height());
        ASSERT_TRUE(ini.save());
    }
    QRect stored() const {
        IniFile ini(settingsPath());
        ini.load();
        return QRect(ini.readInteger("Ludomyra", "Left", 3), ini.readInteger("Ludomyra", "Top", 3),
                     ini.readInteger("Ludomyra", "Width", 748),
                     ini.readInteger("Ludomyra", "Height", 563));
    }
};

// The stored bounds are the outer frame. Ten starts, each closed with Alt+F4
// as a player closes it, must each show the window where it was and leave
// the bounds as they were: a frame counted twice makes the window creep.
TEST_P(StoredBounds, TenStartsClosedWithAltF4LeaveThemAsTheyWere) {
    const QRect bounds(60, 40, 800, 600);
    store(bounds);
    quint16 port = freePort();
    QStringList arguments;
    std::unique_ptr<ServeProcess> serve;
    if (GetParam() == PlayMode::Host) {
        arguments = {"Ann", "127.0.0.1", "true"};
    } else if (GetParam() == PlayMode::Join) {
        serve = std::make_unique<ServeProcess>();
        port = serve->start();
        ASSERT_NE(port, 0);
        arguments = {"Ann", "127.0.0.1", "no"};
    }
    for (int start = 1; start <= 10; ++start) {
        GuiProcess window(home.path(), port, {"CMD_newplayerinfo"});
        display.host(window);
        ASSERT_TRUE(window.start(arguments));
        // The settings, bounds included, are applied at the own arrival.
        ASSERT_FALSE(window.waitForHandled("CMD_newplayerinfo").isEmpty())
            << window.otherOutput().toStdString();
        const qulonglong id = display.windowOf(window.pid());
        ASSERT_NE(id, 0u) << "start " << start;
        QRect shown;
        waitFor(
            [&] {
                shown = display.frameOf(id);
                return shown == bounds;
            },
            3000);
        EXPECT_EQ(shown, bounds) << "start " << start;
        ASSERT_TRUE(display.activate(id));
        ASSERT_TRUE(display.key("alt+F4"));
        ASSERT_TRUE(window.waitForCleanExit())
            << "start " << start << ": " << window.otherOutput().toStdString();
        ASSERT_EQ(stored(), bounds) << "after start " << start;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryPlayMode, StoredBounds,
                         ::testing::Values(PlayMode::Solo, PlayMode::Host, PlayMode::Join),
                         [](const ::testing::TestParamInfo<PlayMode>& mode) {
                             switch (mode.param) {
                             case PlayMode::Solo:
                                 return "Solo";
                             case PlayMode::Host:
                                 return "Host";
                             case PlayMode::Join:
                                 break;
                             }
                             return "JoinAServe";
                         });

// Ann is typing her guess when Bob finds the word. What she goes on typing,
// and her Enter, must not turn into a chat line.
TEST_F(UnderAWindowManager, AGuessBeingTypedWhenTheWordIsFoundNeverReachesTheChat) {
    QTemporaryDir hostHome;
    ServeProcess serve(fastHostEnvironment(hostHome, 0.1)); // a row lasts 2.3 s
    const quint16 port = serve.start();
    ASSERT_NE(port, 0);
    SolvingPeer bob(port, "Bob");
    ASSERT_TRUE(bob.logIn());
    bob.holding = true; // Bob guesses when the test says
    GuiProcess ann(home.path(), port, {"CMD_newplayerinfo", "CMD_nextplayer", "CMD_heguessed"});
    display.host(ann);
    ASSERT_TRUE(ann.join("Ann"));
    ASSERT_FALSE(ann.waitForHandled("CMD_newplayerinfo+2+").isEmpty())
        << ann.otherOutput().toStdString();
    const qulonglong window = display.windowOf(ann.pid());
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(display.activate(window));
    bob.client.send("CMD_startgame+Bob+most+1+"); // no Klot: Bob finds the words

    // Each of Ann's turns she types the first two letters; then Bob guesses.
    // A wrong guess leaves the row to run out, and Ann's next turn comes.
    const auto annsTurns = [&] {
        return countHandled(ann, "CMD_nextplayer+2+");
    };
    const auto bobFound = [&] {
        return ann.hasHandled("CMD_heguessed+1+");
    };
    int turns = 0;
    QElapsedTimer clock;
    clock.start();
    while (!bobFound() && clock.elapsed() < 90000) {
        ASSERT_TRUE(waitFor(
            [&] {
                bob.play();
                return annsTurns() > turns;
            },
            15000))
            << ann.otherOutput().toStdString();
        turns = annsTurns();
        ASSERT_TRUE(display.type("jo"));
        bob.play();
        bob.guess();
        waitFor(
            [&] {
                bob.play();
                return bobFound() || annsTurns() > turns;
            },
            15000);
    }
    const bool found = bobFound();
    ASSERT_TRUE(found) << "Bob found no word";
    ASSERT_TRUE(display.type("int"));
    ASSERT_TRUE(display.key("Return"));
    const auto annChatted = [&] {
        for (const QString& message : bob.client.messages()) {
            if (message.startsWith("CMD_chat+2+"))
                return true;
        }
        return false;
    };
    EXPECT_FALSE(waitFor(annChatted, 2000)) << "Ann's guess went out as a chat line";
    EXPECT_TRUE(ann.running()) << ann.otherOutput().toStdString();
}

} // namespace

// The way into a game with others, in the real windows against real
// processes: a solo window that joins a `ludomyra --serve` table without a
// restart, and invite links, given at start or handed over by a later copy,
// that join only once the player has said yes.
#include "app/app_windows.h"
#include "app/single_instance.h"
#include "client/look/message_box.h"
#include "common/environment.h"
#include "event_wait.h"
#include "ipv6_loopback.h"
#include "net/hostcache.h"
#include "program_environment.h"
#include "qstring_printer.h"
#include "raw_client.h"
#include "serve_process.h"
#include "tchat_probe.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using testsupport::waitFor;

class WayIn : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(serveHome.isValid());
        home.set("LUDOMYRA_PORT", "0");
        messagebox::setHandler([this](QWidget*, const QString& text) { boxes << text; });
        servePort = serve.start();
        ASSERT_NE(servePort, 0);
    }
    void TearDown() override {
        messagebox::setHandler({});
        hostcache::setResolver({});
        hostcache::clear();
    }

    static void retype(QWidget* window, const char* editName, const QString& text) {
        auto* edit = window->findChild<QLineEdit*>(editName);
        ASSERT_TRUE(edit) << editName;
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    static void click(QWidget* window, const char* buttonName) {
        auto* button = window->findChild<QPushButton*>(buttonName);
        ASSERT_TRUE(button) << buttonName;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // The program started as a later copy in the same runtime folder, which
    // hands its argument over and ends.
    bool startLaterCopy(const QString& runtimeDir, const QString& argument) {
        QProcess copy;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", runtimeDir);
        copy.setProcessEnvironment(env);
        copy.start(LUDOMYRA_BINARY, {argument});
        // The event loop runs meanwhile: this process is the copy it talks to.
        return waitFor([&] { return copy.state() == QProcess::NotRunning; }, 10000) &&
               copy.exitStatus() == QProcess::NormalExit && copy.exitCode() == 0;
    }
    QString serveLink() const { return "ludomyra://127.0.0.1:" + QString::number(servePort); }
    // Join is enabled a moment after the question opens.
    static bool joinReady(LinkConfirmation& question) {
        return waitFor(
            [&] { return question.findChild<QPushButton*>("button_join")->isEnabled(); });
    }
    // Keys where the player's keys go: the window the system gives them to.
    static void typeOnKeyboard(const QString& keys) {
        ASSERT_TRUE(QGuiApplication::focusWindow());
        for (const QChar key : keys)
            QTest::keyClick(QGuiApplication::focusWindow(), key.toLatin1());
    }
    // The question about a link, once it shows; null if it never does.
    static LinkConfirmation* shownQuestion(AppWindows& windows) {
        const bool shown = waitFor([&] {
            return windows.linkConfirmation.built() && windows.linkConfirmation().isVisible();
        });
        return shown ? &windows.linkConfirmation() : nullptr;
    }
    static QString shownHost(LinkConfirmation& question) {
        return question.findChild<QLabel*>("label_host")->text().remove(QChar(0x200B));
    }

    testsupport::ProgramEnvironment home;
    QTemporaryDir serveHome;
    ServeProcess serve{fastHostEnvironment(serveHome, 0.05)};
    quint16 servePort = 0;
    QStringList boxes;
};

TEST_F(WayIn, ASoloWindowJoinsADedicatedTableWithoutARestartAndItsGuestSeesItGo) {
    AppWindows windows(QStringList{}); // solo
    Tchat& chat = windows.chat;
    const TchatProbe probe(chat);
    probe.sounds().player = [](const QString&) {
    };
    chat.show();
    ASSERT_TRUE(waitFor([&] { return probe.state().connected && probe.model().occupied(1); }));
    ASSERT_TRUE(windows.host.isOpen());
    // A solo table is this computer's alone: no link to hand out.
    EXPECT_FALSE(probe.menu().CopyInviteLink1->isEnabled());
    testsupport::RawClient guest(windows.host.server()->Sock1().localPort());
    ASSERT_EQ(guest.logIn("Guest"), 2);
    ASSERT_TRUE(waitFor([&] { return probe.seats().nameLabel(2)->text() == "Guest"; }));
    probe.menu().Fast1->trigger(); // a setting, which the switch must keep

    probe.menu().JoinaGame1->trigger();
    PlayWithOthers& playWithOthers = windows.playWithOthers();
    ASSERT_TRUE(playWithOthers.isVisible());
    retype(&playWithOthers, "edit_name", "Ann");
    retype(&playWithOthers, "edit_address", "127.0.0.1:" + QString::number(servePort));
    QTest::keyClick(playWithOthers.findChild<QLineEdit*>("edit_address"), Qt::Key_Return);
    EXPECT_FALSE(playWithOthers.isVisible());

    // The solo table is gone: its guest sees the host leave, and nobody listens there.
    EXPECT_TRUE(waitFor([&] { return guest.closedByHost(); }, 5000));
    EXPECT_FALSE(windows.host.isOpen());
    ASSERT_TRUE(waitFor([&] { return probe.state().connected && probe.model().occupied(1); }));
    EXPECT_EQ(probe.state().loginname, "Ann");
    EXPECT_EQ(probe.connection().PortName(), QString::number(servePort));
    EXPECT_EQ(probe.seats().nameLabel(1)->text(), "Ann");
    EXPECT_EQ(probe.seats().nameLabel(2)->text(), "<Waiting>") << "the old table's guest is gone";
    EXPECT_TRUE(probe.chatText().contains("You left the table."));

    testsupport::RawClient bob(servePort);
    ASSERT_EQ(bob.logIn("Bob"), 2);
    EXPECT_FALSE(bob.waitForPrefix("CMD_existingplayers+1+Ann").isEmpty());
    ASSERT_TRUE(waitFor([&] { return probe.seats().nameLabel(2)->text() == "Bob"; }));
    EXPECT_TRUE(probe.menu().Fast1->isChecked());
    EXPECT_TRUE(probe.menu().StartGame1->isEnabled()) << "slot 1 at a dedicated table";
    EXPECT_FALSE(probe.menu().CopyInviteLink1->isEnabled()) << "this copy hosts nothing now";
    const QList<TableMemory::Recent> recent =
        TableMemory(environment::settingsFile()).recentTables();
    ASSERT_FALSE(recent.isEmpty());
    EXPECT_EQ(recent.first().address, (TableAddress{"127.0.0.1", servePort}));
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
}

TEST_F(WayIn, ALinkJoinsOnlyAfterThePlayerSaysYesAndALaterCopyHandsItsLinkOver) {
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    SingleInstance instance(runtime.path());
    ASSERT_TRUE(instance.claim());
    AppWindows windows(QStringList{serveLink()});
    windows.listenTo(instance);
    Tchat& chat = windows.chat;
    const TchatProbe probe(chat);
    probe.sounds().player = [](const QString&) {
    };
    chat.show();

    // Started with the link: it asks, shows where it leads, and starts nothing.
    ASSERT_TRUE(shownQuestion(windows));
    LinkConfirmation& question = windows.linkConfirmation();
    EXPECT_EQ(question.findChild<QLabel*>("label_host")->accessibleName(), "127.0.0.1");
    EXPECT_EQ(question.findChild<QLabel*>("label_host")->textFormat(), Qt::PlainText);
    EXPECT_EQ(question.findChild<QLabel*>("label_port")->text(),
              "port " + QString::number(servePort));
    click(&question, "button_cancel");
    testsupport::settle(300);
    EXPECT_FALSE(question.isVisible());
    EXPECT_FALSE(windows.host.isOpen());
    EXPECT_LT(probe.connection().SocketHandle(), 0) << "a link never joins unasked";

    // A later copy hands its link over and ends; this window asks again.
    ASSERT_TRUE(startLaterCopy(runtime.path(), serveLink()));
    ASSERT_TRUE(waitFor([&] { return question.isVisible(); }));
    ASSERT_TRUE(joinReady(question));
    click(&question, "button_join");
    EXPECT_EQ(question.findChild<QLabel*>("label_message")->text(),
              "Type your name: the others see you by it.");
    retype(&question, "edit_name", "Lin");
    click(&question, "button_join");
    ASSERT_TRUE(waitFor([&] { return probe.state().connected && probe.model().occupied(1); }));
    EXPECT_EQ(probe.seats().nameLabel(1)->text(), "Lin");
    EXPECT_FALSE(question.isVisible());
    EXPECT_EQ(TableMemory(environment::settingsFile()).playerName(), "Lin");

    // A malformed link is said plainly, and the table is kept.
    ASSERT_TRUE(startLaterCopy(runtime.path(), "ludomyra://127.0.0.1:99999"));
    ASSERT_TRUE(waitFor([&] { return !boxes.isEmpty(); }));
    EXPECT_EQ(boxes, QStringList{"This invite link cannot be used: the port must be a number "
                                 "from 1 to 65535. An invite link looks like "
                                 "ludomyra://HOST:PORT."});
    EXPECT_FALSE(question.isVisible());
    EXPECT_TRUE(probe.state().connected);
    EXPECT_TRUE(chat.isVisible());
}

// The player types in the chat when a link arrives: nothing typed then,
// Enter included, answers the question; only a deliberate click on Join
// after the pause leaves the table.
TEST_F(WayIn, KeysMeantForTheChatNeverAnswerALinkThatArrivesMidTyping) {
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    SingleInstance instance(runtime.path());
    ASSERT_TRUE(instance.claim());
    AppWindows windows(QStringList{}); // solo
    windows.listenTo(instance);
    Tchat& chat = windows.chat;
    const TchatProbe probe(chat);
    probe.sounds().player = [](const QString&) {
    };
    chat.show();
    ASSERT_TRUE(waitFor([&] { return probe.state().connected && probe.model().occupied(1); }));
    chat.activateWindow();
    ASSERT_TRUE(waitFor([&] { return chat.isActiveWindow(); }));
    auto* entry = chat.findChild<QLineEdit*>("mychat");
    entry->setFocus();
    typeOnKeyboard("hel");
    ASSERT_EQ(entry->text(), "hel");

    SingleInstance later(runtime.path());
    ASSERT_FALSE(later.claim(serveLink()));
    ASSERT_TRUE(waitFor([&] {
        return windows.linkConfirmation.built() && windows.linkConfirmation().isVisible();
    }));
    LinkConfirmation& question = windows.linkConfirmation();
    // The question takes the keyboard, as it does on a desktop.
    ASSERT_TRUE(waitFor([&] { return QGuiApplication::focusWindow() == question.windowHandle(); }));
    auto* join = question.findChild<QPushButton*>("button_join");
    EXPECT_FALSE(join->isEnabled()) << "Join waits a moment";
    EXPECT_FALSE(join->isDefault());
    const QString name = question.findChild<QLineEdit*>("edit_name")->text();
    typeOnKeyboard("lo all\r");
    testsupport::settle(300);
    EXPECT_TRUE(question.isVisible()) << "still asking";
    EXPECT_EQ(question.findChild<QLineEdit*>("edit_name")->text(), name);
    EXPECT_TRUE(windows.host.isOpen()) << "still at the solo table";
    EXPECT_EQ(probe.connection().HostName(), "127.0.0.1");
    EXPECT_NE(probe.connection().PortName(), QString::number(servePort));

    ASSERT_TRUE(joinReady(question));
    typeOnKeyboard("\r");
    testsupport::settle(100);
    EXPECT_TRUE(question.isVisible()) << "Enter is no way to join, even after the pause";
    retype(&question, "edit_name", "Lin");
    click(&question, "button_join");
    ASSERT_TRUE(waitFor([&] {
        return probe.connection().PortName() == QString::number(servePort) &&
               probe.state().connected && probe.model().occupied(1);
    }));
    EXPECT_FALSE(question.isVisible());
    EXPECT_FALSE(windows.host.isOpen());
}

// Where the question says a link leads is where it leads: a name that starts
// with a digit goes to the resolver as that name, and a number written in any
// other form than dotted decimal is refused, not read as some address.
TEST_F(WayIn, TheQuestionShowsExactlyTheHostThatIsConnectedTo) {
    home.set("LUDOMYRA_TIME_SCALE", "0.2");
    QStringList asked;
    hostcache::clear();
    hostcache::setResolver([&](const QString& name) -> hostcache::Addresses {
        asked << name;
        return {QHostAddress(0x7F000001u)}; // where the test's table is
    });
    const QString port = QString::number(servePort);
    AppWindows windows(QStringList{"ludomyra://0x7f.1:" + port});
    Tchat& chat = windows.chat;
    const TchatProbe probe(chat);
    probe.sounds().player = [](const QString&) {
    };
    chat.show();
    ASSERT_TRUE(waitFor([&] { return !boxes.isEmpty(); }));
    EXPECT_EQ(boxes, QStringList{"This invite link cannot be used: \"0x7f.1\" is not a plain IPv4 "
                                 "address (four numbers from 0 to 255, no leading zeros, like "
                                 "192.168.1.5). An invite link looks like ludomyra://HOST:PORT."});
    EXPECT_FALSE(windows.linkConfirmation.built() && windows.linkConfirmation().isVisible());

    windows.openLink("ludomyra://1st.example:" + port);
    LinkConfirmation& question = windows.linkConfirmation();
    ASSERT_TRUE(question.isVisible());
    EXPECT_EQ(shownHost(question), "1st.example");
    ASSERT_TRUE(joinReady(question));
    retype(&question, "edit_name", "Lin");
    click(&question, "button_join");
    ASSERT_TRUE(waitFor([&] { return probe.state().connected && probe.model().occupied(1); }));
    EXPECT_EQ(asked, QStringList{"1st.example"});
    EXPECT_EQ(probe.connection().HostName(), shownHost(question));
    EXPECT_EQ(probe.connection().PortName(), port);
    EXPECT_EQ(boxes.size(), 1);
}

// A dedicated table listens on both families: a link to its IPv6 address
// asks, shows that address, and seats the player as any other link does.
TEST_F(WayIn, ALinkToAnIpv6AddressSeatsThePlayer) {
    if (!testsupport::hasIpv6Loopback())
        GTEST_SKIP() << "this machine has no IPv6 loopback address (::1)";
    home.set("LUDOMYRA_TIME_SCALE", "0.2");
    const QString port = QString::number(servePort);
    AppWindows windows(QStringList{"ludomyra://[::1]:" + port});
    const TchatProbe probe(windows.chat);
    probe.sounds().player = [](const QString&) {
    };
    windows.chat.show();
    LinkConfirmation* asked = shownQuestion(windows);
    ASSERT_TRUE(asked);
    LinkConfirmation& question = *asked;
    EXPECT_EQ(shownHost(question), "::1");
    ASSERT_TRUE(joinReady(question));
    retype(&question, "edit_name", "Lin");
    click(&question, "button_join");
    ASSERT_TRUE(waitFor([&] { return probe.state().connected && probe.model().occupied(1); }));
    EXPECT_EQ(probe.seats().nameLabel(1)->text(), "Lin");
    EXPECT_EQ(probe.connection().HostName(), "::1");
    EXPECT_EQ(probe.connection().PortName(), port);
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join('\n').toStdString();
}

} // namespace

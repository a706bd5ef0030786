#include "app/local_host.h"
#include "app/startup.h"

#include "client/look/message_box.h"
#include "client/tchat.h"
#include "net/protocol.h"
#include "net/tsock.h"
#include "tchat_probe.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

namespace {

// The host's listener alone: the test plays the host's side itself.
class ListenerHost : public LocalHost {
public:
    explicit ListenerHost(TSock& listener) : listener_(listener) {}
    quint16 open(const QString& portName, HostReach reach) override {
        opened = reach;
        listener_.setPortName(portName);
        listener_.setListen(true);
        return listener_.localPort();
    }
    void close() override {
        if (listener_.Listen())
            listener_.setListen(false);
    }
    bool isOpen() const override { return listener_.Listen(); }
    std::optional<HostReach> opened; // for whom the last table was opened

private:
    TSock& listener_;
};

// A main window and a host listener on an ephemeral port, as start-up sees them.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        messagebox::setHandler([this](QWidget*, const QString& text) { boxes << text; });
        qputenv("LUDOMYRA_PORT", "0");
        listener.OnAccept = [this](TSock* sender) {
            if (sender->Accept(hostEnd))
                ++acceptedConnections;
        };
    }
    void TearDown() override {
        messagebox::setHandler({});
        qunsetenv("LUDOMYRA_PORT");
        messagebox::setQuestionHandler({});
    }

    QString chatText() const { return probe.chatText(); }
    bool startGameOffered() const {
        return probe.menu().StartGame1->isEnabled() && probe.startButton().isVisibleTo(&chat);
    }

    int optionsOpened = 0; // the game options window asked for
    Tchat chat{[this] {
        Tchat::Hooks hooks;
        hooks.gameOptionsWanted = [this] {
            ++optionsOpened;
        };
        return hooks;
    }()};
    TchatProbe probe{chat};
    TSock listener;
    ListenerHost host{listener};
    QStringList offered; // what the Play with Others window was opened with
    Startup startup{chat,
                    host,
                    {.incomplete = [this](const QString& name,
                                          const QString& address) { offered << name << address; },
                     .link = [this](const QString& link) { offered << link; },
                     .hosting = {},
                     .leftTable = {},
                     .internetAddress =
                         [this] {
                             return internet;
                         }}};
    std::optional<portmap::InternetAddress> internet; // what the router forwards
    QStringList boxes;
    int acceptedConnections = 0;
    TSock* hostEnd = nullptr; // the host's end of the last accepted connection
};

TEST_F(StartupTest, NoArgumentsHostASoloGameAsYouOnTheLoopback) {
    startup.processparams({});
    EXPECT_TRUE(chatText().contains("Loading Solo Game..Please wait."));
    EXPECT_TRUE(listener.Listen());
    EXPECT_EQ(host.opened, HostReach::ThisComputer);
    EXPECT_FALSE(probe.menu().CopyInviteLink1->isEnabled()) << "nobody else can join";
    QGuiApplication::clipboard()->clear();
    startup.copyInviteLink();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
    EXPECT_FALSE(chatText().contains("can join"));
    EXPECT_TRUE(probe.state().ishost);
    EXPECT_EQ(probe.board().clock()->text(), "") << "no row is open";
    EXPECT_EQ(probe.state().loginname, "You");
    EXPECT_EQ(probe.connection().HostName(), "127.0.0.1");
    EXPECT_TRUE(startGameOffered());
    EXPECT_TRUE(QTest::qWaitFor([&] { return acceptedConnections == 1; }, 5000));
    EXPECT_EQ(probe.presenceLink().localPort(), 0)
        << "the presence link is for multi-player games only";
}

TEST_F(StartupTest, HostingUsesTheLoopbackWhateverAddressIsGivenAndOpensThePresenceLink) {
    startup.processparams({"A+nn", "10.0.0.5", "true"});
    EXPECT_TRUE(chatText().contains("Loading Multi-player Game.. Please Wait."));
    EXPECT_TRUE(listener.Listen());
    EXPECT_EQ(probe.state().loginname, "A-nn");
    EXPECT_EQ(probe.connection().HostName(), "127.0.0.1");
    EXPECT_TRUE(startGameOffered());
    EXPECT_TRUE(QTest::qWaitFor([&] { return acceptedConnections == 1; }, 5000));
    EXPECT_EQ(probe.presenceLink().HostName(), "127.0.0.1");
    EXPECT_EQ(probe.presenceLink().PortName(), "9001");
    EXPECT_NE(probe.presenceLink().localPort(), 0) << "the presence link was opened";
}

// While the router forwards the table's port, a friend elsewhere needs its
// outer address: the link carries it and the chat keeps both ways in.
TEST_F(StartupTest, WhileTheRouterForwardsTheInviteLinkCarriesItsAddressAndTheChatKeepsBoth) {
    startup.hostGame("Ann", "0");
    ASSERT_TRUE(probe.menu().CopyInviteLink1->isEnabled());
    internet = portmap::InternetAddress{QHostAddress("45.77.0.1"), 7774};
    startup.copyInviteLink();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "ludomyra://45.77.0.1:7774");
    EXPECT_TRUE(chatText().contains("Invite link copied, with the router's address on the "
                                    "internet:"));
    EXPECT_TRUE(chatText().contains("ludomyra://45.77.0.1:7774"));
    EXPECT_TRUE(chatText().contains("Friends on the internet can join at 45.77.0.1, port 7774."));
    const qsizetype here = chatText().lastIndexOf(
        QRegularExpression("(Others can join this table at|This computer has no network)"));
    EXPECT_GT(here, chatText().indexOf("Invite link copied, with")) << "this network too";
}

// Each choice ends the table before it: the host's end sees the window's
// connection close, and a hosting copy stops listening before it joins.
TEST_F(StartupTest, EachChoiceEndsTheTableBeforeItAndCopiesTheInviteLinkWhileHosting) {
    int closedByWindow = 0;
    listener.OnDisconnect = [&](TSock*) {
        ++closedByWindow;
    }; // passed on to accepted ends
    startup.hostGame("Ann", "0");
    EXPECT_EQ(host.opened, HostReach::Network);
    ASSERT_TRUE(QTest::qWaitFor([&] { return acceptedConnections == 1; }, 5000));
    const quint16 hostedPort = listener.localPort();
    EXPECT_TRUE(chatText().contains(QString(", port %1.").arg(hostedPort))) << "where to join";
    ASSERT_TRUE(probe.menu().CopyInviteLink1->isEnabled());
    startup.copyInviteLink();
    const QString link = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(link.startsWith("ludomyra://") && link.endsWith(QString(":%1").arg(hostedPort)))
        << link.toStdString();
    EXPECT_TRUE(chatText().contains("Invite link copied:")) << "said as the chat shows a speaker";
    EXPECT_TRUE(chatText().contains(link));

    TSock remoteHost;
    remoteHost.setPortName("0");
    remoteHost.OnAccept = listener.OnAccept;
    remoteHost.OnDisconnect = listener.OnDisconnect;
    remoteHost.setListen(true);
    startup.joinGame("Bob", TableAddress{"127.0.0.1", remoteHost.localPort()});
    EXPECT_FALSE(listener.Listen());
    EXPECT_TRUE(QTest::qWaitFor([&] { return closedByWindow == 1; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return acceptedConnections == 2; }, 5000));
    EXPECT_FALSE(probe.state().ishost);
    EXPECT_FALSE(probe.menu().CopyInviteLink1->isEnabled());
    EXPECT_FALSE(startGameOffered());

    startup.playSolo();
    EXPECT_TRUE(QTest::qWaitFor([&] { return closedByWindow == 2; }, 5000));
    EXPECT_TRUE(listener.Listen());
    EXPECT_EQ(probe.state().loginname, "You");
    EXPECT_TRUE(QTest::qWaitFor([&] { return acceptedConnections == 3; }, 5000));
    EXPECT_TRUE(startGameOffered());
}

TEST_F(StartupTest, JoiningConnectsToTheGivenHostAndOffersNoGameStart) {
    TSock remoteHost;
    remoteHost.setPortName("0");
    remoteHost.OnAccept = listener.OnAccept;
    remoteHost.setListen(true);
    qputenv("LUDOMYRA_PORT", QByteArray::number(remoteHost.localPort()));
    startup.processparams({"Bob", "127.0.0.1", "True"});

    EXPECT_FALSE(listener.Listen());
    EXPECT_FALSE(probe.state().ishost);
    EXPECT_EQ(probe.state().loginname, "Bob");
    EXPECT_FALSE(startGameOffered());
    EXPECT_TRUE(QTest::qWaitFor([&] { return acceptedConnections == 1; }, 5000));
    EXPECT_NE(probe.presenceLink().localPort(), 0);
}

// The host takes game starts from slot 1 only: a hosting copy whose own
// client was not the first to connect is not offered them once logged in.
TEST_F(StartupTest, AHostingCopyLoggedInOutsideSlotOneLosesStartGame) {
    startup.processparams({});
    ASSERT_TRUE(startGameOffered());
    ASSERT_TRUE(QTest::qWaitFor([&] { return hostEnd != nullptr; }, 5000));
    hostEnd->Send(buildMessage("CMD_sendlogininfo+2"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return probe.state().connected; }, 5000));
    EXPECT_EQ(probe.state().myseat, 2);
    EXPECT_FALSE(startGameOffered());
}

// The start button stands on the table of a hosting copy from the start: it
// tells that the log-in has not come yet, and once a game runs neither it
// nor "Start Game" gives that game up without asking.
TEST_F(StartupTest, StartingAGameNeedsTheLogInAndAsksBeforeEndingARunningOne) {
    QStringList questions;
    bool answer = false;
    messagebox::setQuestionHandler([&](QWidget*, const QString& text) {
        questions << text;
        return answer;
    });
    startup.processparams({});
    ASSERT_TRUE(startGameOffered());
    QTest::mouseClick(&probe.startButton(), Qt::LeftButton);
    EXPECT_EQ(boxes, QStringList{"You are not connected"});
    EXPECT_EQ(optionsOpened, 0);

    ASSERT_TRUE(QTest::qWaitFor([&] { return hostEnd != nullptr; }, 5000));
    hostEnd->Send(buildMessage("CMD_sendlogininfo+1") + buildMessage("CMD_newplayerinfo+1+You+0"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return probe.model().occupied(1); }, 5000));
    QTest::mouseClick(&probe.startButton(), Qt::LeftButton);
    EXPECT_EQ(optionsOpened, 1);
    EXPECT_TRUE(questions.isEmpty()); // no game to give up

    hostEnd->Send(buildMessage("CMD_startgame+You+high+0+"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !probe.startButton().isVisibleTo(&chat); }, 5000));
    probe.menu().StartGame1->trigger();
    EXPECT_EQ(questions, QStringList{"A game is running. Start a new one?"});
    EXPECT_EQ(optionsOpened, 1); // "No": the game goes on
    answer = true;
    probe.menu().StartGame1->trigger();
    EXPECT_EQ(optionsOpened, 2);
    EXPECT_EQ(boxes.size(), 1);
}

// A host that reads as a number in another form than dotted decimal would
// be joined somewhere else than it says: refused, with a word, and offered
// in the window to put right.
TEST_F(StartupTest,
       OneOrTwoArgumentsALinkOrAnOddlyWrittenAddressOpenTheJoinWindowsAndStartNothing) {
    startup.processparams({"Ann", "10.0.0.5"});
    startup.processparams({"Bob"});
    startup.processparams({"ludomyra://10.0.0.5:7000"});
    startup.processparams({"Cy", "0x7f.1", "no"});
    EXPECT_EQ(offered, QStringList({"Ann", "10.0.0.5", "Bob", "", "ludomyra://10.0.0.5:7000", "Cy",
                                    "0x7f.1"}));
    EXPECT_EQ(boxes, QStringList{"\"0x7f.1\" is not a plain IPv4 address (four numbers from 0 to "
                                 "255, no leading zeros, like 192.168.1.5)."});
    EXPECT_FALSE(chatText().contains("Loading"));
    EXPECT_TRUE(chatText().contains(QString::fromUtf8(
        "To play with others, choose Host a Game\u2026 or Join a Game\u2026 in the File menu.")));
    EXPECT_FALSE(listener.Listen());
    EXPECT_EQ(probe.connection().localPort(), 0);
    EXPECT_EQ(probe.presenceLink().localPort(), 0);
    EXPECT_TRUE(probe.state().loginname.isEmpty());
    EXPECT_FALSE(startGameOffered());
}

TEST_F(StartupTest, ATakenPortIsReportedAndTheClientStaysUnconnected) {
    TSock other;
    other.setPortName("0");
    other.setListen(true);
    qputenv("LUDOMYRA_PORT", QByteArray::number(other.localPort()));

    startup.processparams({});
    EXPECT_EQ(boxes, QStringList{"Listen - Error Binding Socket"});
    EXPECT_FALSE(probe.state().ishost);
    EXPECT_EQ(probe.connection().localPort(), 0);
    EXPECT_FALSE(startGameOffered());
}

} // namespace

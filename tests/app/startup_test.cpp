#include "app/startup.h"

#include "client/message_box.h"
#include "client/tchat.h"
#include "net/tsock.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// A main window and a host listener on an ephemeral port, as start-up sees them.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        messagebox::setHandler([this](QWidget*, const QString& text) { boxes << text; });
        listener.setPortName("0");
        listener.OnAccept = [this](TSock* sender) {
            TSock* accepted = nullptr;
            if (sender->Accept(accepted))
                ++acceptedConnections;
        };
    }
    void TearDown() override { messagebox::setHandler({}); }

    QString chatText() const { return chat.mainchat->toPlainText(); }
    bool startGameOffered() const {
        return chat.menu->StartGame1->isEnabled() && chat.button_start->isVisibleTo(&chat);
    }

    Tchat chat;
    TSock listener;
    Startup startup{chat, listener};
    QStringList boxes;
    int acceptedConnections = 0;
};

TEST_F(StartupTest, NoArgumentsHostASoloGameAsYouOnTheLoopback) {
    startup.processparams({});
    EXPECT_TRUE(chatText().contains("Loading Solo Game..Please wait."));
    EXPECT_TRUE(listener.Listen());
    EXPECT_TRUE(chat.state.ishost);
    EXPECT_EQ(chat.state.loginname, "You");
    EXPECT_EQ(chat.hostaddress, "127.0.0.1");
    EXPECT_EQ(chat.sock.HostName(), "127.0.0.1");
    EXPECT_TRUE(startGameOffered());
    EXPECT_TRUE(QTest::qWaitFor([&] { return acceptedConnections == 1; }, 5000));
    EXPECT_EQ(chat.Sock11.localPort(), 0) << "the presence link is for multi-player games only";
}

TEST_F(StartupTest, HostingUsesTheLoopbackWhateverAddressIsGivenAndOpensThePresenceLink) {
    startup.processparams({"A+nn", "10.0.0.5", "true"});
    EXPECT_TRUE(chatText().contains("Loading Multi-player Game.. Please Wait."));
    EXPECT_TRUE(listener.Listen());
    EXPECT_EQ(chat.state.loginname, "A-nn");
    EXPECT_EQ(chat.sock.HostName(), "127.0.0.1");
    EXPECT_TRUE(startGameOffered());
    EXPECT_TRUE(QTest::qWaitFor([&] { return acceptedConnections == 1; }, 5000));
    EXPECT_EQ(chat.Sock11.HostName(), "127.0.0.1");
    EXPECT_EQ(chat.Sock11.PortName(), "9001");
    EXPECT_NE(chat.Sock11.localPort(), 0) << "the presence link was opened";
}

TEST_F(StartupTest, JoiningConnectsToTheGivenHostAndOffersNoGameStart) {
    TSock remoteHost;
    remoteHost.setPortName("0");
    remoteHost.OnAccept = listener.OnAccept;
    remoteHost.setListen(true);
    qputenv("LUDOMYRA_PORT", QByteArray::number(remoteHost.localPort()));
    startup.processparams({"Bob", "127.0.0.1", "True"});
    qunsetenv("LUDOMYRA_PORT");

    EXPECT_FALSE(listener.Listen());
    EXPECT_FALSE(chat.state.ishost);
    EXPECT_EQ(chat.state.loginname, "Bob");
    EXPECT_FALSE(startGameOffered());
    EXPECT_TRUE(QTest::qWaitFor([&] { return acceptedConnections == 1; }, 5000));
    EXPECT_NE(chat.Sock11.localPort(), 0);
}

TEST_F(StartupTest, OneOrTwoArgumentsStartNothing) {
    startup.processparams({"Ann", "10.0.0.5"});
    EXPECT_TRUE(chatText().contains("Loading Multi-player Game.. Please Wait."));
    EXPECT_FALSE(listener.Listen());
    EXPECT_EQ(chat.sock.localPort(), 0);
    EXPECT_EQ(chat.Sock11.localPort(), 0);
    EXPECT_TRUE(chat.state.loginname.isEmpty());
    EXPECT_FALSE(startGameOffered());
}

TEST_F(StartupTest, ATakenPortIsReportedAndTheClientStaysUnconnected) {
    TSock other;
    other.setPortName("0");
    other.setListen(true);
    listener.setPortName(QString::number(other.localPort()));

    startup.processparams({});
    EXPECT_EQ(boxes, QStringList{"Listen - Error Binding Socket"});
    EXPECT_FALSE(chat.state.ishost);
    EXPECT_EQ(chat.sock.localPort(), 0);
    EXPECT_FALSE(startGameOffered());
}

} // namespace

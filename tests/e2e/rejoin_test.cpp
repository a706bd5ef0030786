// A game window whose connection to `ludomyra --serve` drops mid-game comes
// back to its own seat: once by itself through a relay that the test cuts (a
// router restart), once after the window's program was killed and its player
// started it again and chose "Rejoin your seat".
// A raw peer at the table sees the seat away and back; the window's view of
// the racks and scores after its return is the host's.
#include "app/app_windows.h"
#include "client/link/seat_key_file.h"
#include "common/environment.h"
#include "gui_process.h"
#include "net/game_messages.h"
#include "qstring_printer.h"
#include "serve_process.h"
#include "solving_peer.h"
#include "tchat_probe.h"

#include <QLabel>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <sys/socket.h>

namespace {

using testsupport::waitFor;

const QStringList kTraced{"CMD_rejoinkey",  "CMD_rejoined", "CMD_playerscores", "CMD_ballowners",
                          "CMD_playeraway", "system",       "choices"};

// Passes bytes both ways between windows and the host until cut.
class Relay {
public:
    explicit Relay(quint16 hostPort) : hostPort_(hostPort) {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] { takeConnections(); });
    }
    quint16 port() const { return server_.serverPort(); }

    // What a router restart does: the window's end is reset, the host's closed.
    void cut() {
        for (auto& [window, host] : pairs_) {
            const linger now{1, 0};
            setsockopt(int(window->socketDescriptor()), SOL_SOCKET, SO_LINGER, &now, sizeof now);
            window->abort();
            host->disconnectFromHost();
            window->deleteLater();
            host->deleteLater();
        }
        pairs_.clear();
    }

private:
    using Socket = QTcpSocket*; // the server's children

    void takeConnections() {
        while (Socket window = server_.nextPendingConnection()) {
            auto* host = new QTcpSocket(&server_);
            host->connectToHost(QHostAddress::LocalHost, hostPort_);
            pipe(window, host);
            pipe(host, window);
            pairs_.append(std::pair(window, host));
        }
    }
    static void pipe(const Socket& from, const Socket& to) {
        QObject::connect(from, &QTcpSocket::readyRead, to,
                         [from, to] { to->write(from->readAll()); });
    }

    QTcpServer server_;
    quint16 hostPort_;
    QList<std::pair<Socket, Socket>> pairs_;
};

class RejoinTest : public ::testing::Test {
protected:
    // Bob (slot 1) starts a game without Klot; Ann's window sits in seat 2.
    void startGame(double timeScale) {
        ASSERT_TRUE(hostHome.isValid() && annHome.isValid());
        scale = QString::number(timeScale);
        host = std::make_unique<ServeProcess>(fastHostEnvironment(hostHome, timeScale));
        port = host->start();
        ASSERT_NE(port, 0);
        bob = std::make_unique<SolvingPeer>(port, "Bob");
        ASSERT_TRUE(bob->logIn());
        ASSERT_EQ(bob->slot, "1");
    }
    std::unique_ptr<GuiProcess> annJoins(quint16 through) {
        auto window = std::make_unique<GuiProcess>(annHome.path(), through, kTraced, scale);
        window->join("Ann");
        return window;
    }
    void playOneWord(GuiProcess& ann) {
        ASSERT_TRUE(bob->client.waitFor("CMD_newplayerinfo+2+Ann+0", 15000))
            << ann.otherOutput().toStdString();
        bob->client.send("CMD_startgame+Bob+high+1+");
        ASSERT_FALSE(ann.waitForHandled("CMD_rejoinkey+").isEmpty());
        // Bob finds a word, so there is a rack and a score to keep; then he
        // lets his turns pass, so the game outlasts the test.
        ASSERT_TRUE(waitFor(
            [&] {
                bob->play();
                return !bob->finds.isEmpty();
            },
            60000));
        bob->holding = true;
    }
    // Bob sees Ann's seat held, then her back in it, each with the host's line.
    void bobSeesAnnAwayAndBack(int graceSeconds) {
        EXPECT_TRUE(bob->client.waitFor("CMD_playeraway+2+1", 15000));
        EXPECT_FALSE(
            bob->client
                .waitForPrefix(QString("CMD_chat+0+Ann lost the connection. The seat is kept for "
                                       "%1 seconds.|")
                                   .arg(graceSeconds))
                .isEmpty());
        EXPECT_TRUE(bob->client.waitFor("CMD_playeraway+2+0", 15000));
        EXPECT_FALSE(bob->client.waitForPrefix("CMD_chat+0+Ann is back.|").isEmpty());
        EXPECT_FALSE(bob->client.messages().contains("CMD_playerdisconnected+2+Ann"));
    }
    // What the window was told of racks and scores after its return is what
    // the host tells a newcomer now.
    static void sameAfterReturn(GuiProcess& ann, const QString& word,
                                const QStringList& atNewcomer) {
        QString last;
        bool back = false;
        for (const GuiProcess::Handled& entry : ann.handled()) {
            back = back || entry.message.startsWith("CMD_rejoined+");
            if (back && entry.message.startsWith(word))
                last = entry.message;
        }
        QString hostSays;
        for (const QString& message : atNewcomer)
            if (message.startsWith(word))
                hostSays = message;
        EXPECT_FALSE(last.isEmpty()) << word.toStdString();
        EXPECT_EQ(last, hostSays);
    }

    void TearDown() override {
        for (const char* name : {"LUDOMYRA_HOME", "LUDOMYRA_PORT", "LUDOMYRA_TIME_SCALE"})
            qunsetenv(name);
    }

    QTemporaryDir hostHome, annHome;
    QString scale;
    std::unique_ptr<ServeProcess> host;
    quint16 port = 0;
    std::unique_ptr<SolvingPeer> bob;
};

TEST_F(RejoinTest, AWindowWhoseConnectionIsCutComesBackToItsSeatByItself) {
    startGame(0.05); // the seat is held for 3 s
    Relay relay(port);
    std::unique_ptr<GuiProcess> ann = annJoins(relay.port());
    playOneWord(*ann);

    relay.cut();
    EXPECT_FALSE(ann->waitForHandled("choices+Connection lost. Reconnecting…+Give Up").isEmpty());
    EXPECT_EQ(ann->waitForHandled("CMD_rejoined+"), "CMD_rejoined+2");
    bobSeesAnnAwayAndBack(3);
    testsupport::settle(500); // the catch-up is handled a message a tick
    testsupport::RawClient cal(port);
    ASSERT_EQ(cal.logIn("Cal"), 3); // Ann's slot during the tries was never kept
    ASSERT_FALSE(cal.waitForPrefix("CMD_ballowners+").isEmpty());
    sameAfterReturn(*ann, "CMD_playerscores+", cal.messages());
    sameAfterReturn(*ann, "CMD_ballowners+", cal.messages());
    EXPECT_FALSE(ann->hasHandled("system+The connection to the host was lost."));
    EXPECT_TRUE(ann->terminate());
}

TEST_F(RejoinTest, AKilledWindowsPlayerStartsAgainAndRejoinsFromPlayWithOthers) {
    startGame(0.1); // the seat is held for 6 s
    std::unique_ptr<GuiProcess> ann = annJoins(port);
    playOneWord(*ann);

    ann->signal(SIGKILL);
    ASSERT_TRUE(bob->client.waitFor("CMD_playeraway+2+1", 15000));
    // The program started again, here, with the killed one's settings: a
    // solo game first, then "Rejoin your seat" in Play with Others.
    qputenv("LUDOMYRA_HOME", annHome.path().toUtf8());
    qputenv("LUDOMYRA_PORT", "0");
    qputenv("LUDOMYRA_TIME_SCALE", scale.toUtf8());
    AppWindows windows(QStringList{});
    const TchatProbe probe(windows.chat);
    probe.sounds().player = [](const QString&) {
    };
    windows.chat.show();
    ASSERT_TRUE(waitFor([&] { return probe.state().connected; }));
    // A game at the own table gives a key too, which must not push Ann's out.
    windows.chat.startGame();
    ASSERT_TRUE(waitFor([&] { return probe.state().turnseat != 0; }, 10000));
    testsupport::settle(1000); // its key comes after the start messages
    probe.menu().JoinaGame1->trigger();
    PlayWithOthers& playWithOthers = windows.playWithOthers();
    auto* rejoin = playWithOthers.findChild<QPushButton*>("button_rejoin");
    ASSERT_TRUE(rejoin && rejoin->isVisible());
    QTest::keyClicks(playWithOthers.findChild<QLineEdit*>("edit_name"), "Ann");
    QTest::mouseClick(rejoin, Qt::LeftButton);
    EXPECT_FALSE(playWithOthers.isVisible());

    ASSERT_TRUE(
        waitFor([&] { return probe.state().connected && probe.state().myseat == 2; }, 10000));
    bobSeesAnnAwayAndBack(6);
    EXPECT_EQ(probe.connection().PortName(), QString::number(port));
    ASSERT_TRUE(waitFor([&] { return probe.seats().nameLabel(1)->text() == "Bob"; }));
    EXPECT_EQ(probe.seats().nameLabel(2)->text(), "Ann");
    EXPECT_TRUE(probe.chatText().contains("You are back in your seat."));
    // The scores it shows are the host's, as a newcomer is told them.
    testsupport::RawClient cal(port);
    ASSERT_EQ(cal.logIn("Cal"), 3);
    const QString scores = cal.waitForPrefix("CMD_playerscores+");
    ASSERT_FALSE(scores.isEmpty());
    testsupport::settle(300);
    for (const gamemsg::SeatValue& seat :
         gamemsg::PlayerScores::parse(scores.section(u'+', 1)).scores) {
        if (seat.seat <= 2) {
            EXPECT_EQ(probe.seats().scoreLabel(seat.seat)->text(), QString::number(seat.value));
        }
    }
    const std::optional<SeatKeyFile::Entry> fresh =
        SeatKeyFile(environment::settingsFile()).valid();
    ASSERT_TRUE(fresh.has_value());
    EXPECT_EQ(fresh->table, "127.0.0.1:" + QString::number(port));
    windows.chat.closeWithoutAsking();
    EXPECT_FALSE(SeatKeyFile(environment::settingsFile()).valid()); // closing lets the seat go
}

} // namespace

// Friends across the internet, whole program, against a real home router:
// miniupnpd doing NAT in a network namespace, with UPnP IGD only, NAT-PMP
// only, neither, behind a second NAT, with the port taken by another
// computer at home, with a short lease, with the host killed, and with a
// global IPv6 prefix at home that the router's firewall guards. A friend in
// the "internet" namespace joins through the router's outer address and
// plays a row; the forward is gone after the host closes.
#include "event_wait.h"
#include "gui_process.h"
#include "qstring_printer.h"
#include "router_lab.h"
#include "solving_peer.h"

#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>

namespace {

using testsupport::waitFor;

// Any port but the game's own: each lab is a network of its own.
constexpr quint16 kPort = 27772;
const QString kForwardHome = QString("%1 192.168.77.2:%1").arg(kPort);

class Router : public ::testing::Test {
protected:
    void SetUp() override {
        if (const QString why = RouterLab::unavailableReason(); !why.isEmpty())
            GTEST_SKIP() << "no router lab here: " << why.toStdString();
    }
    // The lab, or null after failing the test.
    std::unique_ptr<RouterLab> makeLab(RouterLab::Options options) {
        auto lab = std::make_unique<RouterLab>(options);
        if (!lab->ready()) {
            ADD_FAILURE() << "router lab: " << lab->failure().toStdString();
            return nullptr;
        }
        return lab;
    }
};

// `ludomyra --serve` with PortMapping=1 on one of the lab's computers; what
// it prints (its words about the router among them) is collected.
class LabServer {
public:
    LabServer(const RouterLab& lab, const QString& part, double timeScale = 0.01) {
        QFile ini(home_.filePath("glenmorra.ini"));
        if (ini.open(QIODevice::WriteOnly))
            ini.write("[Ludomyra]\r\nBetweenrounds=5\r\nBotspeed=500\r\nDiscovery=0\r\n"
                      "PortMapping=1\r\n");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LUDOMYRA_HOME", home_.path());
        env.insert("LUDOMYRA_PORT", QString::number(kPort));
        env.insert("LUDOMYRA_TIME_SCALE", QString::number(timeScale));
        process_.setProcessEnvironment(env);
        const QStringList launcher = lab.inside(part);
        process_.start(launcher.first(), launcher.mid(1) + QStringList{LUDOMYRA_BINARY, "--serve"});
    }
    ~LabServer() {
        process_.kill();
        process_.waitForFinished(5000);
    }
    // The first line that starts with start, waiting for it; empty if none came.
    QString waitForLine(const QString& start, int timeoutMs = 15000) {
        QString found;
        waitFor(
            [&] {
                output_ += QString::fromUtf8(process_.readAllStandardOutput());
                for (const QString& line : output_.split(u'\n'))
                    if (line.startsWith(start))
                        return !(found = line).isEmpty();
                return false;
            },
            timeoutMs);
        return found;
    }
    QString output() const { return output_; }
    bool terminate() {
        process_.terminate();
        return process_.waitForFinished(10000) && process_.exitCode() == 0;
    }
    void crash() {
        process_.kill();
        process_.waitForFinished(5000);
    }

private:
    QTemporaryDir home_;
    QProcess process_;
    QString output_;
};

// A hosting window (`Ann 0.0.0.0 true`) at home, its chat's system lines traced.
std::unique_ptr<GuiProcess> hostingWindow(const RouterLab& lab, const QTemporaryDir& home,
                                          const QString& part = "home") {
    auto window = std::make_unique<GuiProcess>(home.path(), kPort, QStringList{"system"});
    window->setLauncher(lab.inside(part));
    window->start({"Ann", "0.0.0.0", "true"});
    return window;
}

// A friend on the internet, connected to the router's outer address.
std::unique_ptr<SolvingPeer> friendOnTheInternet(const RouterLab& lab, quint16 port,
                                                 const QString& name = "Bob") {
    NamespaceVisit internet(lab.name("net"));
    if (!internet.entered())
        return nullptr;
    try {
        return std::make_unique<SolvingPeer>(port, name, SolvingPeer::Pick::First,
                                             RouterLab::kOuterAddress);
    } catch (const std::runtime_error&) {
        return nullptr;
    }
}

// The friend starts a game at a dedicated table and plays until the host has
// marked one of its rows.
bool playsARow(SolvingPeer& peer) {
    peer.client.send("CMD_startgame+" + peer.name + "+race+1+");
    return waitFor(
        [&] {
            peer.play();
            return !peer.client.messages().filter("CMD_yourletters+" + peer.slot + "+").isEmpty();
        },
        30000);
}

TEST_F(Router, UpnpOnlyForwardsTheTableAndAFriendPlaysARowUntilTheHostCloses) {
    const auto lab = makeLab({.upnp = true});
    ASSERT_TRUE(lab);
    LabServer host(*lab, "home");
    ASSERT_EQ(host.waitForLine("Friends on the internet"),
              QString("Friends on the internet can join at 45.77.0.1, port %1.").arg(kPort))
        << host.output().toStdString();
    EXPECT_EQ(lab->forwards(), QStringList{kForwardHome});

    const auto bob = friendOnTheInternet(*lab, kPort);
    ASSERT_TRUE(bob);
    ASSERT_TRUE(bob->logIn());
    EXPECT_TRUE(playsARow(*bob)) << bob->client.messages().join("\n").toStdString();

    EXPECT_TRUE(host.terminate());
    EXPECT_EQ(lab->forwards(), QStringList{});
}

TEST_F(Router, NatPmpOnlyForwardsAHostingWindowsTable) {
    const auto lab = makeLab({.natPmp = true});
    ASSERT_TRUE(lab);
    QTemporaryDir home;
    const auto ann = hostingWindow(*lab, home);
    const QString said = ann->waitForHandled("system+Friends on the internet");
    EXPECT_EQ(said,
              QString("system+Friends on the internet can join at 45.77.0.1, port %1.").arg(kPort))
        << ann->otherOutput().toStdString();
    ASSERT_EQ(lab->forwards(), QStringList{kForwardHome});
    EXPECT_TRUE(ann->hasHandled("system+Asking the router to forward port"));

    const auto bob = friendOnTheInternet(*lab, kPort);
    ASSERT_TRUE(bob);
    EXPECT_TRUE(bob->logIn());

    EXPECT_TRUE(ann->terminate());
    EXPECT_EQ(lab->forwards(), QStringList{});
}

TEST_F(Router, WithoutUpnpOrNatPmpTheChatSaysWhatToDoAndNothingHangs) {
    const auto lab = makeLab({});
    ASSERT_TRUE(lab);
    QTemporaryDir home;
    const auto ann = hostingWindow(*lab, home);
    const QString said = ann->waitForHandled("system+No router answered");
    EXPECT_EQ(said, QString("system+No router answered the request to forward the game's port. "
                            "For friends on the internet to join, forward TCP port %1 to this "
                            "computer (192.168.77.2) in the router's settings, let a friend "
                            "with a reachable address host, or play on a dedicated table.")
                        .arg(kPort))
        << ann->otherOutput().toStdString();
    EXPECT_TRUE(ann->terminate());
}

TEST_F(Router, BehindASecondNatTheChatWarnsInsteadOfPromising) {
    const auto lab = makeLab({.upnp = true, .natPmp = true, .doubleNat = true});
    ASSERT_TRUE(lab);
    QTemporaryDir home;
    const auto ann = hostingWindow(*lab, home);
    const QString said = ann->waitForHandled("system+The router refused");
    EXPECT_TRUE(said.contains("it has no public address of its own. It sits behind another "
                              "router or the provider's shared address, so friends on the "
                              "internet probably cannot reach this table."))
        << said.toStdString() << ann->otherOutput().toStdString();
    EXPECT_FALSE(ann->hasHandled("system+Friends on the internet can join"));
    EXPECT_TRUE(ann->terminate());
}

TEST_F(Router, APortTakenByAnotherComputerAtHomeGetsTheNextOne) {
    const auto lab = makeLab({.upnp = true});
    ASSERT_TRUE(lab);
    LabServer other(*lab, "home2");
    ASSERT_FALSE(other.waitForLine("Friends on the internet can join").isEmpty())
        << other.output().toStdString();
    QTemporaryDir home;
    const auto ann = hostingWindow(*lab, home);
    EXPECT_EQ(ann->waitForHandled("system+Friends on the internet"),
              QString("system+Friends on the internet can join at 45.77.0.1, port %1 (the "
                      "router's port %2 was taken).")
                  .arg(kPort + 1)
                  .arg(kPort))
        << ann->otherOutput().toStdString();
    const auto bob = friendOnTheInternet(*lab, kPort + 1);
    ASSERT_TRUE(bob);
    EXPECT_TRUE(bob->logIn());
    EXPECT_TRUE(bob->client.waitFor("CMD_existingplayers+1+Ann+0"));
    EXPECT_TRUE(ann->terminate());
    EXPECT_EQ(lab->forwards(), QStringList{QString("%1 192.168.78.2:%1").arg(kPort)});
}

// The router is asked only for a table hosted for others, and only while the
// player has not said no (the tick box's setting).
TEST_F(Router, ASoloGameOrATableWithPortMappingOffAsksTheRouterNothing) {
    const auto lab = makeLab({.upnp = true, .natPmp = true});
    ASSERT_TRUE(lab);
    QTemporaryDir soloHome, offHome;
    GuiProcess solo(soloHome.path(), kPort, {"system"});
    solo.setLauncher(lab->inside("home"));
    ASSERT_TRUE(solo.start({}));
    ASSERT_FALSE(solo.waitForHandled("system+Loading Solo Game").isEmpty());
    testsupport::settle(2500); // NAT-PMP would have answered long since
    EXPECT_FALSE(solo.hasHandled("system+Asking the router"));
    EXPECT_EQ(lab->forwards(), QStringList{});
    EXPECT_TRUE(solo.terminate());

    QFile ini(offHome.filePath("glenmorra.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Ludomyra]\r\nPortMapping=0\r\n");
    ini.close();
    const auto ann = hostingWindow(*lab, offHome);
    ASSERT_FALSE(ann->waitForHandled("system+Others can join this table at 192.168.77.2").isEmpty())
        << ann->otherOutput().toStdString();
    testsupport::settle(2500);
    EXPECT_FALSE(ann->hasHandled("system+Asking the router"));
    EXPECT_EQ(lab->forwards(), QStringList{});
}

// With the clock scaled the lease is a few seconds: renewed while the host
// runs, it outlives itself; the host killed, it ends by itself.
TEST_F(Router, AShortLeaseIsRenewedWhileTheHostRunsAndEndsAfterItCrashes) {
    const auto lab = makeLab({.upnp = true});
    ASSERT_TRUE(lab);
    LabServer host(*lab, "home", 0.0015); // a lease of 5 s, renewed every 2.5 s
    ASSERT_FALSE(host.waitForLine("Friends on the internet can join").isEmpty())
        << host.output().toStdString();
    testsupport::settle(7000); // longer than the lease
    EXPECT_EQ(lab->forwards(), QStringList{kForwardHome});

    host.crash();
    EXPECT_TRUE(waitFor([&] { return lab->forwards().isEmpty(); }, 12000));
}

// Whether a connection from the internet reaches home's global IPv6 address.
bool connectsOverIpv6(const RouterLab& lab) {
    NamespaceVisit internet(lab.name("net"));
    QTcpSocket socket;
    socket.connectToHost(QHostAddress(RouterLab::kHomeIpv6), kPort);
    return internet.entered() && socket.waitForConnected(1500);
}

TEST_F(Router, AnIpv6PinholeLetsAFriendInWhileTheTableIsOpen) {
    const auto lab = makeLab({.upnp = true, .ipv6 = true});
    ASSERT_TRUE(lab);
    {
        // Something listens at home, yet the router drops the friend's attempt.
        QTcpServer listening;
        {
            NamespaceVisit home(lab->name("home"));
            ASSERT_TRUE(home.entered());
            ASSERT_TRUE(listening.listen(QHostAddress::AnyIPv6, kPort));
        }
        EXPECT_FALSE(connectsOverIpv6(*lab));
    }
    QTemporaryDir annHome, bobHome;
    const auto ann = hostingWindow(*lab, annHome);
    EXPECT_EQ(ann->waitForHandled("system+The router lets"),
              QString("system+The router lets friends on the internet join over IPv6 at %1, "
                      "port %2.")
                  .arg(RouterLab::kHomeIpv6)
                  .arg(kPort))
        << ann->otherOutput().toStdString();
    // miniupnpd names the address by the bytes of 2a01:77::2.
    EXPECT_EQ(lab->pinholes(),
              QStringList{QString("%1 0x2a010077000000000000000000000002").arg(kPort)});

    GuiProcess bob(bobHome.path(), kPort, {"CMD_existingplayers"});
    bob.setLauncher(lab->inside("net"));
    ASSERT_TRUE(bob.start({"Bob", RouterLab::kHomeIpv6, "no"}));
    EXPECT_FALSE(bob.waitForHandled("CMD_existingplayers+1+Ann+").isEmpty())
        << bob.otherOutput().toStdString();
    EXPECT_TRUE(bob.terminate());

    EXPECT_TRUE(ann->terminate());
    EXPECT_EQ(lab->pinholes(), QStringList{});
}

} // namespace

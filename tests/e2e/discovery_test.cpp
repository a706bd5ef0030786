// Tables on this network, whole program: `ludomyra --find-tables` finds a
// hosting window and a dedicated host on loopback, a host with discovery
// switched off stays silent, hostile datagrams get a host to do nothing
// but the few bounded replies it gives anyone, and bursts of them leave it listed.
#include "datagram_burst.h"
#include "gui_process.h"
#include "hosting_window.h"
#include "net/table_datagrams.h"
#include "process_probe.h"
#include "qstring_printer.h"
#include "serve_process.h"

#include <QElapsedTimer>
#include <QFile>
#include <QNetworkDatagram>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

using testsupport::RawClient;
using testsupport::settle;
using testsupport::waitFor;

quint16 freeUdpPort() {
    QUdpSocket probe;
    return probe.bind(QHostAddress::AnyIPv4, 0) ? probe.localPort() : 0;
}

struct Found {
    int exitCode = -1;
    QStringList lines;
};

// `ludomyra --find-tables ADDRESS` asking hosts on discoveryPort.
Found findTables(quint16 discoveryPort, const QString& address = QStringLiteral("127.0.0.1")) {
    QProcess find;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LUDOMYRA_DISCOVERY_PORT", QString::number(discoveryPort));
    find.setProcessEnvironment(env);
    find.start(LUDOMYRA_BINARY, {"--find-tables", address});
    if (!find.waitForFinished(10000) || find.exitStatus() != QProcess::NormalExit)
        return {};
    return {find.exitCode(),
            QString::fromUtf8(find.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)};
}

// A dedicated host with its own home (glenmorra.ini holding iniLines) that
// answers table queries on discoveryPort unless told otherwise.
class DedicatedHost {
public:
    DedicatedHost(quint16 discoveryPort, const QByteArray& iniLines) {
        QFile ini(home.filePath("glenmorra.ini"));
        if (ini.open(QIODevice::WriteOnly))
            ini.write("[Ludomyra]\r\n" + iniLines);
        QProcessEnvironment env;
        env.insert("LUDOMYRA_HOME", home.path());
        env.insert("LUDOMYRA_DISCOVERY_PORT", QString::number(discoveryPort));
        serve = std::make_unique<ServeProcess>(env);
    }
    QTemporaryDir home;
    std::unique_ptr<ServeProcess> serve;
};

TEST(FindTables, AHostingWindowIsFoundWithItsPlayersNameButASoloGameIsNot) {
    QTemporaryDir annHome, soloHome;
    ASSERT_TRUE(annHome.isValid() && soloHome.isValid());
    const quint16 discoveryPort = freeUdpPort();
    const quint16 gamePort = freePort();
    ASSERT_NE(discoveryPort, 0);
    ASSERT_NE(gamePort, 0);

    GuiProcess solo(soloHome.path(), freePort(), {"CMD_newplayerinfo"});
    solo.setEnvironment("LUDOMYRA_DISCOVERY_PORT", QString::number(discoveryPort));
    ASSERT_TRUE(solo.start({}));
    ASSERT_FALSE(solo.waitForHandled("CMD_newplayerinfo+1+You+").isEmpty())
        << solo.otherOutput().toStdString();
    const Found none = findTables(discoveryPort);
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.lines.isEmpty()) << none.lines.join("\n").toStdString();

    GuiProcess ann(annHome.path(), gamePort, {"CMD_newplayerinfo"});
    ann.setEnvironment("LUDOMYRA_DISCOVERY_PORT", QString::number(discoveryPort));
    ASSERT_TRUE(ann.start({"Ann", "127.0.0.1", "true"}));
    ASSERT_FALSE(ann.waitForHandled("CMD_newplayerinfo+1+Ann+").isEmpty())
        << ann.otherOutput().toStdString();
    const Found found = findTables(discoveryPort);
    EXPECT_EQ(found.exitCode, 0);
    EXPECT_EQ(found.lines,
              QStringList{QString("127.0.0.1\t%1\tAnn\t1/5\t0/4\twaiting").arg(gamePort)})
        << ann.otherOutput().toStdString();
}

// Off by the command line or by the settings file, a dedicated host answers
// nobody; another on the same port, left on, is the only table found there.
TEST(FindTables, ADedicatedHostWithDiscoveryOffAnswersNothing) {
    const quint16 discoveryPort = freeUdpPort();
    ASSERT_NE(discoveryPort, 0);
    DedicatedHost byFlag(discoveryPort, "Tablename=Flagged\r\n");
    DedicatedHost bySetting(discoveryPort, "Tablename=Quiet\r\nDiscovery=0\r\n");
    ASSERT_NE(byFlag.serve->start({"--no-discovery"}), 0);
    ASSERT_NE(bySetting.serve->start(), 0);
    const Found none = findTables(discoveryPort);
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.lines.isEmpty()) << none.lines.join("\n").toStdString();

    DedicatedHost open(discoveryPort, "Tablename=  Open table\x07\r\n");
    const quint16 gamePort = open.serve->start();
    ASSERT_NE(gamePort, 0);
    RawClient ann(gamePort);
    ASSERT_EQ(ann.logIn("Ann"), 1);
    ann.send("CMD_startgame+Ann+race+1+");
    ASSERT_FALSE(ann.waitForPrefix("CMD_startgame+").isEmpty());
    const Found found = findTables(discoveryPort);
    EXPECT_EQ(found.exitCode, 0);
    EXPECT_EQ(
        found.lines,
        QStringList{QString("127.0.0.1\t%1\tOpen table\t1/5\t0/4\tplaying race").arg(gamePort)});
    for (DedicatedHost* host : {&byFlag, &bySetting, &open})
        EXPECT_TRUE(host->serve->terminate());
}

// A dedicated host listed as "Target", for the tests that attack it.
class FindTablesUnderAttack : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(discoveryPort, 0);
        gamePort = host.serve->start();
        ASSERT_NE(gamePort, 0);
    }

    const quint16 discoveryPort = freeUdpPort();
    DedicatedHost host{discoveryPort, "Tablename=Target\r\n"};
    quint16 gamePort = 0;
};

// Nothing but a well-formed query gets an answer, a flood of queries gets a
// few, never larger than a query, and the table plays on for everyone else.
TEST_F(FindTablesUnderAttack, HostileDatagramsGetNothingOrTheBoundedRepliesAndChangeNothing) {

    // From an address of its own, so that the finder below keeps its allowance.
    QUdpSocket hostile;
    ASSERT_TRUE(hostile.bind(QHostAddress("127.0.0.2"), 0));
    const QHostAddress target = QHostAddress::LocalHost;
    QByteArray dirty = tabledatagram::query();
    dirty[tabledatagram::kQuerySize - 1] = '\x01';
    const QByteArray garbage[] = {
        {},
        "LUDOMYRA FIND 1\n",
        tabledatagram::query().left(tabledatagram::kQuerySize - 1),
        tabledatagram::query() + '\0',
        tabledatagram::query() + QByteArray(60000, '\0'),
        QByteArray(tabledatagram::kQuerySize, '\xFF'),
        dirty,
        "LUDOMYRA TABLE 1\n0123456789abcdef\n1.0.8\n7772\n0\n0\n-\nfake",
    };
    for (const QByteArray& datagram : garbage)
        ASSERT_EQ(hostile.writeDatagram(datagram, target, discoveryPort), datagram.size());
    settle(500);
    EXPECT_FALSE(hostile.hasPendingDatagrams());

    QElapsedTimer flood;
    flood.start();
    for (int i = 0; i < 2000; ++i)
        hostile.writeDatagram(tabledatagram::query(), target, discoveryPort);
    settle(1000);
    int replies = 0;
    while (hostile.hasPendingDatagrams()) {
        const QNetworkDatagram reply = hostile.receiveDatagram();
        EXPECT_LE(reply.data().size(), tabledatagram::kQuerySize);
        EXPECT_TRUE(tabledatagram::parseReply(reply.data(), "127.0.0.1"));
        ++replies;
    }
    // Three at once, then two a second.
    EXPECT_GE(replies, 1);
    EXPECT_LE(replies, 3 + 2 * (flood.elapsed() / 1000 + 1)) << flood.elapsed() << " ms";

    RawClient ann(gamePort);
    EXPECT_EQ(ann.logIn("Ann"), 1);
    ASSERT_FALSE(ann.waitForPrefix("CMD_newplayerinfo+1+Ann").isEmpty());
    const Found found = findTables(discoveryPort);
    EXPECT_EQ(found.exitCode, 0);
    EXPECT_EQ(found.lines,
              QStringList{QString("127.0.0.1\t%1\tTarget\t1/5\t0/4\twaiting").arg(gamePort)});
    EXPECT_TRUE(host.serve->terminate());
}

// A stranger's burst of 20,000 datagrams, from one address within about a
// tenth of a second, fills the host's queue; the host reads on and is listed
// after every burst. What the burst costs the host is printed, not judged.
TEST_F(FindTablesUnderAttack, AHostIsStillListedAfterEveryBurstOfDatagrams) {
    const auto pid = pid_t(host.serve->process().processId());
    const QStringList listed{QString("127.0.0.1\t%1\tTarget\t0/5\t0/4\twaiting").arg(gamePort)};

    QUdpSocket stranger;
    ASSERT_TRUE(stranger.bind(QHostAddress("127.0.0.2"), 0));
    for (int round = 1; round <= 5; ++round) {
        const std::int64_t residentBefore = processprobe::residentKiB(pid);
        const std::int64_t cpuBefore = processprobe::cpuNanoseconds(pid);
        QElapsedTimer clock;
        clock.start();
        const int sent = testsupport::sendBurst(stranger, QHostAddress::LocalHost, discoveryPort);
        const qint64 burstMs = clock.elapsed();
        settle(500); // the host works off what its queue held
        const double cpuMs = double(processprobe::cpuNanoseconds(pid) - cpuBefore) / 1e6;
        std::printf("burst %d: %d datagrams in %lld ms; host CPU %.1f ms in the %lld ms after "
                    "it began (%.0f %%); resident %lld KiB before, %lld KiB after, peak %lld KiB\n",
                    round, sent, static_cast<long long>(burstMs), cpuMs,
                    static_cast<long long>(clock.elapsed()), 100 * cpuMs / double(clock.elapsed()),
                    static_cast<long long>(residentBefore),
                    static_cast<long long>(processprobe::residentKiB(pid)),
                    static_cast<long long>(processprobe::peakResidentKiB(pid)));
        ASSERT_GT(sent, 0);
        const Found found = findTables(discoveryPort);
        EXPECT_EQ(found.exitCode, 0) << "after burst " << round;
        EXPECT_EQ(found.lines, listed) << "after burst " << round;
    }
    EXPECT_TRUE(host.serve->terminate());
}

} // namespace

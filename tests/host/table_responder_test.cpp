// Tables on this network, inside one process: a host's responder answers a
// finder on loopback, and the reply budget that keeps a host from being
// turned into a flood of datagrams.
#include "datagram_burst.h"
#include "event_wait.h"
#include "host/host_state.h"
#include "host/reply_budget.h"
#include "host/table_responder.h"
#include "net/table_datagrams.h"
#include "net/table_finder.h"
#include "qstring_printer.h"

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace {

using testsupport::sendBurstWhileReading;
using testsupport::settle;
using testsupport::waitFor;

quint16 freeUdpPort() {
    QUdpSocket probe;
    return probe.bind(QHostAddress::AnyIPv4, 0) ? probe.localPort() : 0;
}

// The list follows the host: it shows what the host's state says, changes
// when that changes (and only then), and drops the table once it is quiet.
TEST(TableFinding, AFinderListsATableFollowsItAndForgetsItWhenItGoesQuiet) {
    HostState state;
    state.player(1).inuse = true;
    state.player(6).inuse = true;
    TableResponder responder(state);
    const quint16 port = freeUdpPort();
    ASSERT_TRUE(responder.start(port, 7772, "Ann")) << responder.errorString().toStdString();

    TableFinder finder;
    finder.setDiscoveryPort(port);
    finder.setTargets({QHostAddress::LocalHost, QHostAddress::LocalHostIPv6});
    finder.setRefreshInterval(600); // within the host's two replies a second
    int changes = 0;
    QObject::connect(&finder, &TableFinder::tablesChanged, [&] { ++changes; });
    finder.start();
    ASSERT_TRUE(waitFor([&] { return finder.tables().size() == 1; }, 5000));
    settle(1300); // asked at both addresses, twice more: still one table
    ASSERT_EQ(finder.tables().size(), 1);
    FoundTable table = finder.tables().first();
    EXPECT_EQ(table.address, "127.0.0.1"); // IPv4 is the one a player can join
    EXPECT_EQ(table.port, 7772);
    EXPECT_EQ(table.name, "Ann");
    EXPECT_EQ(table.version, "1.0.8");
    EXPECT_EQ(table.seatsTaken, 1);
    EXPECT_EQ(table.spies, 1);
    EXPECT_FALSE(table.gameRunning);
    EXPECT_EQ(changes, 1);

    state.player(2).inuse = true;
    state.gameon = true;
    state.gametype = GameType::Nine;
    ASSERT_TRUE(waitFor(
        [&] { return !finder.tables().isEmpty() && finder.tables().first().gameRunning; }, 5000));
    table = finder.tables().first();
    EXPECT_EQ(table.seatsTaken, 2);
    EXPECT_EQ(table.gameType, "nine");
    const int changed = changes;
    settle(1300);
    EXPECT_EQ(changes, changed);

    responder.stop();
    EXPECT_TRUE(waitFor([&] { return finder.tables().isEmpty(); }, 5000));
    EXPECT_EQ(changes, changed + 1);
}

constexpr int kBurstRounds = 8;
const QHostAddress kStranger("127.0.0.2");

// A host's reply for a table of this name at 127.0.0.1, under the given ID.
QByteArray replyFor(const QString& name, int id = 1) {
    FoundTable table;
    table.port = 7772;
    table.name = name;
    table.version = "1.0.8";
    return tabledatagram::reply({QString("%1").arg(id, 16, 16, QChar('0')), table});
}

// Sends datagram to 127.0.0.1:port every 100 ms (the first may find the
// queue still full of the burst) until heard() holds; false after a second.
bool heardWithinASecond(QUdpSocket& from, const QByteArray& datagram, quint16 port,
                        const std::function<bool()>& heard) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1000) {
        from.writeDatagram(datagram, QHostAddress::LocalHost, port);
        if (waitFor(heard, 100))
            return true;
    }
    return false;
}

// The port a finder asks from, read off its first query to the stand-in host.
quint16 finderPortAsSeenBy(QUdpSocket& host) {
    if (!waitFor([&] { return host.hasPendingDatagrams(); }, 5000))
        return 0;
    return quint16(host.receiveDatagram().senderPort());
}

// A stranger's burst of datagrams (any content, one address) fills the
// socket's queue; the host reads on and answers the next query within a
// second, burst after burst, and so does a finder hear the next reply.
TEST(TableFinding, AfterEveryBurstOfDatagramsTheHostAnswersAndTheFinderHears) {
    HostState state;
    TableResponder responder(state);
    const quint16 port = freeUdpPort();
    ASSERT_TRUE(responder.start(port, 7772, "Ann")) << responder.errorString().toStdString();
    QUdpSocket stranger;
    ASSERT_TRUE(stranger.bind(kStranger, 0));
    for (int round = 0; round < kBurstRounds; ++round) {
        ASSERT_GT(sendBurstWhileReading(stranger, QHostAddress::LocalHost, port), 0);
        // An asker of its own each round: the reply budget is not what is tried.
        QUdpSocket asker;
        ASSERT_TRUE(asker.bind(QHostAddress(QString("127.0.1.%1").arg(round + 1)), 0));
        ASSERT_TRUE(heardWithinASecond(asker, tabledatagram::query(), port,
                                       [&] { return asker.hasPendingDatagrams(); }))
            << "host silent after burst " << round + 1;
        EXPECT_TRUE(tabledatagram::parseReply(asker.receiveDatagram().data(), "127.0.0.1"));
    }

    const quint16 discoveryPort = freeUdpPort();
    QUdpSocket host;
    ASSERT_TRUE(host.bind(QHostAddress::LocalHost, discoveryPort));
    TableFinder finder;
    finder.setDiscoveryPort(discoveryPort);
    finder.setTargets({QHostAddress::LocalHost});
    finder.start();
    const quint16 finderPort = finderPortAsSeenBy(host);
    ASSERT_NE(finderPort, 0);
    for (int round = 0; round < kBurstRounds; ++round) {
        ASSERT_GT(sendBurstWhileReading(stranger, QHostAddress::LocalHost, finderPort), 0);
        const QString name = QString("Round %1").arg(round + 1);
        ASSERT_TRUE(heardWithinASecond(
            host, replyFor(name), finderPort,
            [&] { return finder.tables().size() == 1 && finder.tables().first().name == name; }))
            << "finder deaf after burst " << round + 1;
    }
}

// With addresses to ask, only those answer; and no one address lists more
// than a few tables, so a real table is listed through a flood of forged ones.
TEST(TableFinding, OnlyTheAddressesAskedAnswerAndNoOneAddressFillsTheList) {
    const quint16 port = freeUdpPort();
    QUdpSocket real, hostile, unasked;
    ASSERT_TRUE(real.bind(QHostAddress::LocalHost, port));
    ASSERT_TRUE(hostile.bind(kStranger, port));
    ASSERT_TRUE(unasked.bind(QHostAddress("127.0.0.3"), port));
    TableFinder finder;
    finder.setDiscoveryPort(port);
    finder.setTargets({QHostAddress::LocalHost, kStranger});
    finder.start();
    const quint16 finderPort = finderPortAsSeenBy(real);
    ASSERT_NE(finderPort, 0);

    unasked.writeDatagram(replyFor("Unasked", 1), QHostAddress::LocalHost, finderPort);
    const auto flood = [&](int firstId) {
        for (int id = firstId; id < firstId + 2 * TableFinder::kMostTables; ++id)
            hostile.writeDatagram(replyFor("Forged", id), QHostAddress::LocalHost, finderPort);
    };
    flood(100);
    real.writeDatagram(replyFor("Real", 2), QHostAddress::LocalHost, finderPort);
    flood(1000);
    const auto listed = [&](const QString& address) {
        const QList<FoundTable> tables = finder.tables();
        return std::count_if(tables.begin(), tables.end(),
                             [&](const FoundTable& table) { return table.address == address; });
    };
    ASSERT_TRUE(waitFor([&] { return listed("127.0.0.1") == 1; }, 2000));
    settle(300);
    EXPECT_EQ(finder.tables().size(), 1 + TableFinder::kMostTablesFromOneAddress);
    EXPECT_EQ(listed("127.0.0.2"), TableFinder::kMostTablesFromOneAddress);
    EXPECT_EQ(listed("127.0.0.3"), 0);
}

// A few replies a second to any one address, a bounded number in all, and a
// bounded memory of addresses that makes room only as old ones go quiet.
TEST(ReplyBudgetTest, EachSourceAndAllTogetherGetOnlyAFewRepliesASecond) {
    ReplyBudget budget({.perSourceBurst = 3,
                        .perSourcePerSecond = 2,
                        .totalBurst = 5,
                        .totalPerSecond = 4,
                        .trackedSources = 2});
    const QHostAddress a("192.0.2.1"), b("2001:db8::2"), c("192.0.2.3");
    const auto granted = [&](const QHostAddress& source, qint64 atMs) {
        int replies = 0;
        for (int i = 0; i < 100; ++i)
            replies += budget.take(source, atMs) ? 1 : 0;
        return replies;
    };
    EXPECT_EQ(granted(a, 0), 3);   // its own allowance
    EXPECT_EQ(granted(b, 0), 2);   // what is left of the total
    EXPECT_EQ(granted(c, 0), 0);   // nothing left
    EXPECT_EQ(granted(a, 499), 0); // two a second
    EXPECT_EQ(granted(a, 500), 1);
    EXPECT_EQ(granted(c, 500), 0);  // a and b are remembered, neither quiet yet
    EXPECT_EQ(granted(c, 1000), 3); // b's allowance is whole again: forgotten
    EXPECT_EQ(budget.trackedSources(), 2);
}

} // namespace

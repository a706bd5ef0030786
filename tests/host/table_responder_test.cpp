// Tables on this network, inside one process: a host's responder answers a
// finder on loopback, and the reply budget that keeps a host from being
// turned into a flood of datagrams.
#include "event_wait.h"
#include "host/host_state.h"
#include "host/reply_budget.h"
#include "host/table_responder.h"
#include "net/table_finder.h"
#include "qstring_printer.h"

#include <QUdpSocket>
#include <gtest/gtest.h>

namespace {

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

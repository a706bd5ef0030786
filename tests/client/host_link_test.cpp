// The window's link to its host, driven through a fake socket and a pace
// told by hand: every way a player's connection can end, drop, come back or
// be left, and what the window hears of it.
#include "client/link/host_link.h"
#include "client/link/seat_keeper.h"
#include "client/link/seat_key_file.h"
#include "common/environment.h"
#include "net/table_address.h"
#include "program_environment.h"
#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

using Stage = LinkState::Stage;

const QString kKey = QString(64, u'a');

class FakeSocket : public HostSocket {
public:
    void setEvents(Events told) override { events = std::move(told); }
    bool open(const QString&, const QString&) override {
        ++opened;
        return true;
    }
    void close() override { up = false; }
    bool connected() const override { return up; }
    void send(const QByteArray&) override {
        if (writesFail)
            events.failed();
    }

    void connect() {
        up = true;
        events.connected();
    }
    void hostSays(const QString& message, int times = 1) {
        QByteArray bytes;
        for (int i = 0; i < times; ++i)
            bytes += buildMessage(message);
        events.received(bytes);
    }
    void closedByHost() {
        up = false;
        events.closedByPeer();
    }

    Events events;
    bool up = false;
    bool writesFail = false;
    int opened = 0;
};

// Records what the link asks of the pace, and fires its hooks on request.
class FakePace : public RetryPace {
public:
    explicit FakePace(QStringList& heard) : heard_(heard) {}
    void setHooks(Hooks told) override { hooks = std::move(told); }
    void start(int) override { heard_ << "tries start"; }
    void attemptFailed() override { heard_ << "try failed"; }
    void stop() override {}

    Hooks hooks;

private:
    QStringList& heard_;
};

QString endingName(LinkEnding why) {
    const char* names[] = {"None", "HostClosed", "Lost", "Unreachable", "Removed", "Full"};
    return names[int(why)];
}

// A link to 192.0.2.1:7772 and what the window hears of it.
struct Rig {
    Rig()
        : link(socket, pace,
               {
                   .handleNext = [this](QStringList& queue) { handled << queue.takeFirst(); },
                   .wake = [] {},
                   .offline = [] {},
                   .reconnecting = [this] { heard << "reconnecting"; },
                   .ended =
                       [this](LinkEnding why, bool rejoinOffered) {
                           heard << "ended " + endingName(why) + (rejoinOffered ? " +rejoin" : "");
                       },
                   .backInSeat =
                       [this](int seat) { heard << "back in seat " + QString::number(seat); },
                   .seatNotKept =
                       [this](bool refused) { heard << (refused ? "refused" : "not kept"); },
               }) {}

    // Logged in at the table; with a seat key once the host has given one.
    void atTable(bool withKey) {
        link.join("192.0.2.1", "7772");
        socket.connect();
        link.logInKey();
        if (withKey)
            link.keyArrived(kKey);
    }
    // What arrived is handled, and the connection's end concluded.
    void workOff() {
        for (int tick = 0; tick < 1000 && link.hasWork(); ++tick)
            link.tick();
    }
    void dropped() {
        atTable(true);
        socket.events.failed();
        workOff();
    }
    // A try is connected and has logged in with the key.
    void returning() {
        dropped();
        pace.hooks.attempt();
        socket.connect();
        link.logInKey();
    }
    bool keyKept() const { return !SeatKeeper().keyFor("192.0.2.1:7772").isEmpty(); }

    QStringList heard;
    QStringList handled;
    FakeSocket socket;
    FakePace pace{heard};
    HostLink link;
};

class HostLinkTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(home.isValid()); }
    testsupport::ProgramEnvironment home;
};

TEST_F(HostLinkTest, EveryWayAPlayersConnectionEndsDropsOrComesBack) {
    struct Walk {
        const char* what;
        std::function<void(Rig&)> reach;
        std::function<void(Rig&)> cause;
        LinkState after;
        QStringList heard;
        bool keyKept;
    };
    const auto atTableWithKey = [](Rig& rig) {
        rig.atTable(true);
    };
    const auto atTableWithoutKey = [](Rig& rig) {
        rig.atTable(false);
    };
    const auto dropped = [](Rig& rig) {
        rig.dropped();
    };
    const auto returning = [](Rig& rig) {
        rig.returning();
    };
    const auto thenWorkOff = [](std::function<void(Rig&)> cause) {
        return [cause](Rig& rig) {
            cause(rig);
            rig.workOff();
        };
    };
    const auto removedThenClosed = thenWorkOff([](Rig& rig) {
        rig.link.removed();
        rig.socket.closedByHost();
    });
    const Walk walks[] = {
        {"the host says goodbye and closes its table",
         atTableWithKey,
         thenWorkOff([](Rig& rig) {
             rig.link.goodbye();
             rig.socket.closedByHost();
         }),
         {Stage::Ended, LinkEnding::HostClosed},
         {"ended HostClosed"},
         false},
        {"the close comes before its goodbye is handled",
         atTableWithoutKey,
         thenWorkOff([](Rig& rig) {
             rig.socket.closedByHost();
             rig.link.goodbye();
         }),
         {Stage::Ended, LinkEnding::HostClosed},
         {"ended HostClosed"},
         false},
        {"a host that dies: its system closes without a goodbye",
         atTableWithoutKey,
         thenWorkOff([](Rig& rig) { rig.socket.closedByHost(); }),
         {Stage::Ended, LinkEnding::Lost},
         {"ended Lost"},
         false},
        {"a host that dies while a seat is held",
         atTableWithKey,
         thenWorkOff([](Rig& rig) { rig.socket.closedByHost(); }),
         {Stage::Reconnecting},
         {"reconnecting", "tries start"},
         true},
        {"a reset with no seat held",
         atTableWithoutKey,
         thenWorkOff([](Rig& rig) { rig.socket.events.failed(); }),
         {Stage::Ended, LinkEnding::Lost},
         {"ended Lost"},
         false},
        {"a reset from a held seat",
         atTableWithKey,
         thenWorkOff([](Rig& rig) { rig.socket.events.failed(); }),
         {Stage::Reconnecting},
         {"reconnecting", "tries start"},
         true},
        {"a write that fails",
         atTableWithoutKey,
         thenWorkOff([](Rig& rig) {
             rig.socket.writesFail = true;
             rig.link.send("CMD_chat+1+hello|clBlack");
         }),
         {Stage::Ended, LinkEnding::Lost},
         {"ended Lost"},
         false},
        {"a host that floods the queue",
         atTableWithKey,
         thenWorkOff([](Rig& rig) {
             rig.socket.hostSays("CMD_chat+2+x|clRed", HostLink::kMaxQueuedMessages + 1);
             EXPECT_FALSE(rig.socket.connected());
         }),
         {Stage::Reconnecting},
         {"reconnecting", "tries start"},
         true},
        {"a full host",
         atTableWithKey,
         [](Rig& rig) { rig.link.full(); },
         {Stage::Ended, LinkEnding::Full},
         {"ended Full"},
         false},
        {"a removal, then the host's close",
         atTableWithKey,
         removedThenClosed,
         {Stage::Ended, LinkEnding::Removed},
         {"ended Removed"},
         false},
        {"a host that is not there",
         [](Rig& rig) { rig.link.join("192.0.2.1", "7772"); },
         thenWorkOff([](Rig& rig) { rig.socket.events.failed(); }),
         {Stage::Ended, LinkEnding::Unreachable},
         {"ended Unreachable"},
         false},
        {"Give Up",
         dropped,
         [](Rig& rig) { rig.link.giveUp(); },
         {Stage::Ended, LinkEnding::Lost},
         {"ended Lost +rejoin"},
         true},
        {"the grace is over",
         dropped,
         [](Rig& rig) { rig.pace.hooks.timedOut(); },
         {Stage::Ended, LinkEnding::Lost},
         {"ended Lost +rejoin"},
         true},
        {"a try the host closes",
         returning,
         thenWorkOff([](Rig& rig) { rig.socket.closedByHost(); }),
         {Stage::Reconnecting},
         {"try failed"},
         true},
        {"a try that ends in a removal",
         returning,
         removedThenClosed,
         {Stage::Ended, LinkEnding::Removed},
         {"ended Removed"},
         false},
        {"the rejoin accepted",
         returning,
         [](Rig& rig) { rig.link.rejoined(4); },
         {Stage::LoggedIn},
         {"back in seat 4"},
         true},
        {"the rejoin refused",
         returning,
         [](Rig& rig) { rig.link.rejoinRefused(); },
         {Stage::LoggedIn},
         {"refused"},
         false},
        {"a host that knows nothing of rejoining",
         returning,
         [](Rig& rig) { rig.link.ownArrival(); },
         {Stage::LoggedIn},
         {"not kept"},
         false},
        {"\"Rejoin your seat\" accepted",
         [](Rig& rig) {
             rig.dropped();
             rig.link.giveUp();
             rig.link.join("192.0.2.1", "7772");
             rig.socket.connect();
             rig.link.logInKey();
         },
         [](Rig& rig) { rig.link.rejoined(2); },
         {Stage::LoggedIn},
         {"back in seat 2"},
         true},
        {"a verdict nobody asked for",
         atTableWithKey,
         [](Rig& rig) { rig.link.rejoined(3); },
         {Stage::LoggedIn},
         {},
         true},
        {"a finished game, then a reset",
         atTableWithKey,
         thenWorkOff([](Rig& rig) {
             rig.link.gameOver();
             rig.socket.events.failed();
         }),
         {Stage::Ended, LinkEnding::Lost},
         {"ended Lost"},
         false},
        {"leaving the table",
         atTableWithKey,
         [](Rig& rig) { EXPECT_TRUE(rig.link.leave()); },
         {Stage::Idle},
         {},
         false},
        {"leaving while the tries run",
         dropped,
         [](Rig& rig) { EXPECT_FALSE(rig.link.leave()); },
         {Stage::Idle},
         {},
         true},
    };
    for (const Walk& walk : walks) {
        SCOPED_TRACE(walk.what);
        Rig rig;
        walk.reach(rig);
        rig.heard.clear();
        walk.cause(rig);
        EXPECT_EQ(rig.link.state().stage, walk.after.stage);
        EXPECT_EQ(endingName(rig.link.state().ending), endingName(walk.after.ending));
        EXPECT_EQ(rig.heard, walk.heard);
        EXPECT_EQ(rig.keyKept(), walk.keyKept);
        SeatKeeper().forget("192.0.2.1:7772");
    }
}

// What arrived before the host went is handled first, in order; a try opens
// a new connection, and a pause between tries holds none.
TEST_F(HostLinkTest, WhatArrivedIsHandledBeforeTheEndAndEachTryConnectsAnew) {
    Rig rig;
    rig.atTable(false);
    rig.socket.hostSays("CMD_chat+2+last words|clRed");
    rig.socket.closedByHost();
    EXPECT_EQ(rig.link.state().stage, Stage::LoggedIn);
    rig.workOff();
    EXPECT_EQ(rig.handled, QStringList{"CMD_chat+2+last words|clRed"});
    EXPECT_EQ(rig.link.state().stage, Stage::Ended);

    Rig tries;
    tries.dropped();
    EXPECT_EQ(tries.socket.opened, 1);
    EXPECT_FALSE(tries.link.send("CMD_chat+1+anyone?|clBlack"));
    tries.pace.hooks.attempt();
    EXPECT_EQ(tries.socket.opened, 2);
    tries.socket.events.failed(); // refused
    tries.workOff();
    EXPECT_EQ(tries.link.state(), LinkState{Stage::Reconnecting});
    EXPECT_EQ(tries.heard.last(), "try failed");
}

// A key kept for a table at an IPv6 address reads back as that table, so
// "Rejoin your seat" after a restart goes where the seat is.
TEST_F(HostLinkTest, AKeyForAnIpv6TableNamesItAsItIsRead) {
    Rig rig;
    rig.link.join("2001:db8::1", "7000");
    rig.socket.connect();
    rig.link.logInKey();
    rig.link.keyArrived(kKey);
    const std::optional<SeatKeyFile::Entry> kept = SeatKeyFile(environment::settingsFile()).valid();
    ASSERT_TRUE(kept);
    EXPECT_EQ(tableaddress::read(kept->table, 0).address, (TableAddress{"2001:db8::1", 7000}));
    rig.socket.events.failed();
    rig.workOff();
    EXPECT_EQ(rig.link.state(), LinkState{Stage::Reconnecting}) << "the tries find the key";
}

} // namespace

// `ludomyra --serve` under abuse, as a process of its own: connections that
// come and go by the thousand, peers that never end a message, flood or stay
// silent, and the host killed outright. What the other peers see, and what
// the kernel says about the host's descriptors and memory.
#include "process_probe.h"
#include "qstring_printer.h"
#include "raw_client.h"
#include "serve_process.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using testsupport::RawClient;
using Clients = std::vector<std::unique_ptr<RawClient>>;

constexpr double kTimeScale = 0.02; // a row of 23 ticks lasts 460 ms
constexpr int kRowMs = int(23 * 1000 * kTimeScale);
constexpr int kHostTickMs = 10; // the host handles one message a tick
// Chat relayed to a peer that stopped reading, far more than the bound and
// the platform's buffers hold together.
constexpr int kRelayedMiB = 24;

class HostUnderFaults : public ::testing::Test {
protected:
    void SetUp() override {
        const QProcessEnvironment env = fastHostEnvironment(home, kTimeScale);
        ASSERT_FALSE(env.isEmpty());
        host = std::make_unique<ServeProcess>(env);
        port = host->start();
        ASSERT_NE(port, 0);
        pid = pid_t(host->process().processId());
    }

    // Connects and logs in as the next slot.
    RawClient& logIn(Clients& clients, const QString& name, int expectedSlot) {
        clients.push_back(std::make_unique<RawClient>(port));
        EXPECT_EQ(clients.back()->logIn(name), expectedSlot);
        return *clients.back();
    }
    int descriptors() const { return processprobe::openDescriptors(pid); }
    // Waits until the host holds this many descriptors; returns the last count.
    int waitForDescriptors(int wanted) const {
        testsupport::waitFor([&] { return descriptors() == wanted; }, 10000);
        return descriptors();
    }

    QTemporaryDir home;
    std::unique_ptr<ServeProcess> host;
    quint16 port = 0;
    pid_t pid = 0;
};

int countPrefix(RawClient& client, const QString& prefix) {
    int count = 0;
    for (const QString& message : client.messages())
        count += message.startsWith(prefix) ? 1 : 0;
    return count;
}

// Half the goodbyes are orderly closes, half are resets.
void leave(RawClient& client, int cycle) {
    if (cycle % 2 == 0)
        client.close();
    else
        client.reset();
}

TEST_F(HostUnderFaults, AThousandComingsAndGoingsLeakNothingAndSlotsAreReusedFromOne) {
    Clients held;
    for (int slot = 1; slot <= 9; ++slot)
        logIn(held, QStringLiteral("P%1").arg(slot), slot);
    for (auto& client : held)
        ASSERT_TRUE(client->waitFor("CMD_newplayerinfo+9+P9+0"));
    const int descriptorsBefore = descriptors();
    const std::int64_t residentBefore = processprobe::residentKiB(pid);
    ASSERT_GT(descriptorsBefore, 9);

    // With every slot taken, each newcomer is turned away.
    for (int cycle = 0; cycle < 500; ++cycle) {
        RawClient newcomer(port);
        ASSERT_TRUE(newcomer.waitFor("CMD_full+")) << "cycle " << cycle;
        leave(newcomer, cycle);
    }
    // With slot 5 free, each newcomer takes it; every fourth logs in first
    // (and is announced), and only those are seen to leave. The host has let
    // a newcomer go once its descriptor is closed.
    held[4]->close();
    RawClient& watcher = *held[0];
    const QString slot5Left = QStringLiteral("CMD_playerdisconnected+5+");
    int departures = 1;
    ASSERT_TRUE(testsupport::waitFor([&] { return countPrefix(watcher, slot5Left) == 1; }));
    for (int cycle = 0; cycle < 500; ++cycle) {
        RawClient newcomer(port);
        const bool logsIn = cycle % 4 == 0;
        if (logsIn) {
            ASSERT_EQ(newcomer.logIn("Churn"), 5) << "cycle " << cycle;
            ASSERT_TRUE(newcomer.waitFor("CMD_newplayerinfo+5+Churn+0")) << "cycle " << cycle;
        } else {
            ASSERT_TRUE(newcomer.waitFor("CMD_sendlogininfo+5")) << "cycle " << cycle;
        }
        leave(newcomer, cycle);
        departures += logsIn ? 1 : 0;
        ASSERT_TRUE(testsupport::waitFor([&] {
            return countPrefix(watcher, slot5Left) == departures &&
                   descriptors() == descriptorsBefore - 1;
        })) << "cycle "
            << cycle;
    }
    EXPECT_EQ(countPrefix(watcher, slot5Left), departures) << "a newcomer who never logged in";
    held[4] = std::make_unique<RawClient>(port);
    ASSERT_EQ(held[4]->logIn("P5"), 5);

    EXPECT_EQ(waitForDescriptors(descriptorsBefore), descriptorsBefore);
    const std::int64_t residentAfter = processprobe::residentKiB(pid);
    std::printf("host resident size: %lld KiB before, %lld KiB after 1000 cycles\n",
                static_cast<long long>(residentBefore), static_cast<long long>(residentAfter));
    EXPECT_LT(residentAfter, residentBefore + 2048);
    for (auto& client : held)
        EXPECT_FALSE(client->closedByHost());

    // Everyone gone: the next two newcomers get slots 1 and 2 again.
    held.clear();
    EXPECT_EQ(waitForDescriptors(descriptorsBefore - 9), descriptorsBefore - 9);
    RawClient first(port);
    EXPECT_TRUE(first.waitFor("CMD_sendlogininfo+1"));
    RawClient second(port);
    EXPECT_TRUE(second.waitFor("CMD_sendlogininfo+2"));
    EXPECT_TRUE(host->terminate());
}

// Sends up to total bytes that never end a message, until the host hangs up.
qint64 sendEndless(RawClient& client, qint64 total) {
    const QByteArray block(1 << 20, 'x');
    qint64 sent = 0;
    while (sent < total && !client.closedByHost()) {
        client.sendBytes(block);
        sent += block.size();
    }
    return sent;
}

QByteArray chatFlood(int slot, int count) {
    QByteArray flood;
    for (int i = 0; i < count; ++i)
        flood += "CMD_chat+" + QByteArray::number(slot) + "+spam " + QByteArray::number(i) + '\xFF';
    return flood;
}

// The rows of slot 1's player in a game where nobody finds the word: when
// each began, each answered with a guess that is not a word.
class RowClock {
public:
    explicit RowClock(RawClient& player) : player_(player) { clock_.start(); }
    // Takes in what has come; the number of rows begun so far.
    qsizetype poll() {
        const QStringList& messages = player_.messages();
        for (; seen_ < messages.size(); ++seen_) {
            if (messages.at(seen_).startsWith("CMD_nextplayer+1+")) {
                starts_.append(clock_.elapsed());
                player_.send("CMD_myword+1+QZXQZ+");
            }
        }
        return starts_.size();
    }
    // Rows 2 to 5 of a word follow each other by one row's time; a row that
    // ends a word is followed by the pause and the next word.
    void expectOnTime() const {
        for (qsizetype i = 1; i < starts_.size(); ++i) {
            const qint64 gap = starts_[i] - starts_[i - 1];
            std::printf("row %lld began %lld ms after the one before (a row is %d ms)\n",
                        static_cast<long long>(i + 1), static_cast<long long>(gap), kRowMs);
            EXPECT_GT(gap, kRowMs * 3 / 4);
            EXPECT_LT(gap, kRowMs * 3); // a host busy with the others would fall far behind
        }
    }

private:
    RawClient& player_;
    QElapsedTimer clock_;
    QList<qint64> starts_;
    qsizetype seen_ = 0;
};

TEST_F(HostUnderFaults, HostilePeersAreCutWhileTheOthersGameKeepsItsRowsOnTime) {
    Clients players;
    RawClient& ann = logIn(players, "Ann", 1);
    RawClient& bob = logIn(players, "Bob", 2);
    RawClient& endless = logIn(players, "Eve", 3);
    RawClient& flooder = logIn(players, "Fay", 4);
    RawClient silent(port); // slot 5: connects and never speaks
    ASSERT_TRUE(silent.waitFor("CMD_sendlogininfo+5"));
    ann.send("CMD_startgame+Ann+most+1+"); // without the computer player
    ASSERT_TRUE(bob.waitFor("CMD_nextplayer+2+1+"));

    flooder.sendBytes(chatFlood(4, 10000));
    const qint64 endlessSent = sendEndless(endless, 100LL << 20);
    std::printf("the endless peer got %lld MiB out before the host hung up\n",
                static_cast<long long>(endlessSent >> 20));

    // Nobody guesses: each row ends at its time-out. Ann's guess in each row
    // is answered while the others are cut.
    RowClock rows(ann);
    ASSERT_TRUE(testsupport::waitFor([&] { return rows.poll() >= 6; }, 30000));
    EXPECT_TRUE(endless.closedByHost());
    EXPECT_TRUE(flooder.closedByHost());
    EXPECT_TRUE(silent.closedByHost());
    EXPECT_FALSE(ann.closedByHost());
    EXPECT_FALSE(bob.closedByHost());
    EXPECT_GE(ann.messages().filter("CMD_notvalid+1+f+QZXQZ+").size(), 5);
    EXPECT_TRUE(ann.messages().contains("CMD_playerdisconnected+3+Eve"));
    EXPECT_TRUE(ann.messages().contains("CMD_playerdisconnected+4+Fay"));
    rows.expectOnTime();
    const std::int64_t peak = processprobe::peakResidentKiB(pid);
    std::printf("host peak resident size: %.1f MB\n", double(peak) / 1024);
    EXPECT_LT(peak, 64 * 1024);
    EXPECT_TRUE(host->terminate());
}

// A logged-in peer stops reading while another chats the longest lines the
// host relays, one every other tick, through a game. Past the bound the host
// lets it go like any departing player; the readers' rows stay on time, and
// the host holds far less than it relays.
TEST_F(HostUnderFaults, APeerThatStopsReadingIsLetGoWhileTheGameKeepsItsRowsOnTime) {
    Clients players;
    RawClient& ann = logIn(players, "Ann", 1);
    RawClient& bob = logIn(players, "Bob", 2);
    RawClient& sid = logIn(players, "Sid", 3); // reads nothing from here on
    ann.send("CMD_startgame+Ann+most+1+");
    ASSERT_TRUE(bob.waitFor("CMD_nextplayer+2+1+"));
    const std::int64_t residentBefore = processprobe::residentKiB(pid);

    const QString filler(64 * 1024 - 64, u'x'); // the relayed line stays under 64 KiB
    int lines = 0;
    QTimer chatter;
    QObject::connect(&chatter, &QTimer::timeout, [&] {
        bob.send(QStringLiteral("CMD_chat+2+%1 ").arg(++lines) + filler);
        bob.messages(); // Bob reads what comes, as every player does
    });
    chatter.start(2 * kHostTickMs);
    RowClock rows(ann);
    const int leastLines = kRelayedMiB * 1024 / 64;
    ASSERT_TRUE(
        testsupport::waitFor([&] { return rows.poll() >= 6 && lines >= leastLines; }, 60000));
    chatter.stop();
    const QString lastLine = QStringLiteral("CMD_chat+2+Bob chats: %1 ").arg(lines) + filler;
    ASSERT_TRUE(ann.waitFor(lastLine)); // the host relayed every line to those who read
    EXPECT_TRUE(bob.waitFor(lastLine));
    // Its seat was held for it first; the departure comes when the grace runs out.
    EXPECT_TRUE(ann.waitFor("CMD_playerdisconnected+3+Sid"));
    EXPECT_TRUE(sid.closedByHost());
    EXPECT_FALSE(ann.closedByHost());
    EXPECT_FALSE(bob.closedByHost());
    EXPECT_GE(ann.messages().filter("CMD_notvalid+1+f+QZXQZ+").size(), 5);
    rows.expectOnTime();

    const std::int64_t peak = processprobe::peakResidentKiB(pid);
    std::printf("host peak resident size with a peer that stopped reading: %.1f MB (%.1f MB "
                "before %d MiB of chat went to each player)\n",
                double(peak) / 1024, double(residentBefore) / 1024, lines / 16);
    EXPECT_LT(peak, residentBefore + kRelayedMiB * 1024 / 4); // a quarter of it, at most
    EXPECT_TRUE(host->terminate());
}

TEST_F(HostUnderFaults, PeersSeeTheCloseWhenTheHostIsKilled) {
    Clients players;
    RawClient& ann = logIn(players, "Ann", 1);
    RawClient& bob = logIn(players, "Bob", 2);
    RawClient silent(port);
    ASSERT_TRUE(silent.waitFor("CMD_sendlogininfo+3"));
    ann.send("CMD_startgame+Ann+nine+0+");
    ASSERT_TRUE(bob.waitFor("CMD_startgame+Ann+nine+0+"));

    ASSERT_EQ(::kill(pid, SIGKILL), 0);
    for (RawClient* peer : {&ann, &bob, &silent})
        EXPECT_TRUE(testsupport::waitFor([&] { return peer->closedByHost(); }, 5000));
}

} // namespace

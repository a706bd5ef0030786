#include "host/tserver.h"
#include "net/write_queue.h"
#include "qstring_printer.h"
#include "raw_client.h"
#include "rules_harness.h"
#include "send_buffer.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using testsupport::RawClient;

// A host listening on an ephemeral loopback port, and its clients.
class TServerSockets : public ::testing::Test {
protected:
    void SetUp() override {
        server = std::make_unique<TServer>(options);
        server->Sock1().setPortName("0");
        server->Sock1().setListen(true);
        ASSERT_NE(server->Sock1().localPort(), 0);
    }
    RawClient& join() {
        clients.push_back(std::make_unique<RawClient>(server->Sock1().localPort()));
        return *clients.back();
    }
    RawClient& joinAs(const QString& name) {
        RawClient& client = join();
        const int slot = client.logIn(name);
        EXPECT_TRUE(
            client.waitFor(QStringLiteral("CMD_newplayerinfo+%1+%2+0").arg(slot).arg(name)));
        return client;
    }
    static int count(RawClient& client, const QString& message) {
        return static_cast<int>(client.messages().count(message));
    }

    FixedOptions options;
    std::unique_ptr<TServer> server;
    std::vector<std::unique_ptr<RawClient>> clients;
};

TEST_F(TServerSockets, NineConnectionsGetSlotsAndTheTenthIsToldTheGameIsFull) {
    for (int slot = 1; slot <= 9; ++slot) {
        RawClient& client = join();
        ASSERT_TRUE(client.waitFor(QStringLiteral("CMD_sendlogininfo+%1").arg(slot)));
    }
    RawClient& tenth = join();
    ASSERT_TRUE(testsupport::waitFor([&] { return tenth.closedByHost(); }));
    EXPECT_EQ(tenth.messages(), QStringList{"CMD_full+"});

    clients[3]->close(); // slot 4
    ASSERT_TRUE(testsupport::waitFor([&] { return !server->state().player(4).inuse; }));
    EXPECT_TRUE(join().waitFor("CMD_sendlogininfo+4"));
}

TEST_F(TServerSockets, APlayerWhoHangsUpIsAnnouncedOnceAndFreesTheSeat) {
    RawClient& ann = joinAs("Ann");
    joinAs("Bob").close();
    ASSERT_TRUE(ann.waitFor("CMD_playerdisconnected+2+Bob"));
    testsupport::settle();
    EXPECT_EQ(count(ann, "CMD_playerdisconnected+2+Bob"), 1);
    EXPECT_FALSE(server->state().player(2).inuse);
}

// A host that closes its table on purpose says goodbye to every connection,
// spies too, before it closes them: the windows tell that from a death.
TEST_F(TServerSockets, AnOrderlyCloseSaysGoodbyeBeforeTheConnectionsClose) {
    RawClient& ann = joinAs("Ann");
    RawClient& spy = join();
    ASSERT_TRUE(spy.waitFor("CMD_sendlogininfo+2"));
    server.reset();
    for (RawClient* client : {&ann, &spy}) {
        ASSERT_TRUE(testsupport::waitFor([&] { return client->closedByHost(); }));
        EXPECT_EQ(client->messages().last(), "CMD_goodbye+");
    }
}

TEST_F(TServerSockets, AConnectionResetByItsPeerIsADepartureToo) {
    RawClient& ann = joinAs("Ann");
    joinAs("Bob").reset();
    EXPECT_TRUE(ann.waitFor("CMD_playerdisconnected+2+Bob"));
    EXPECT_TRUE(join().waitFor("CMD_sendlogininfo+2"));
}

TEST_F(TServerSockets, FloodsAndEndlessMessagesCloseOnlyTheirSender) {
    RawClient& ann = joinAs("Ann");
    RawClient& bob = joinAs("Bob");
    RawClient& cid = joinAs("Cid");
    bob.sendBytes(QByteArray(70000, 'b'));
    QByteArray flood;
    for (int i = 0; i < 300; ++i)
        flood += "CMD_chat+3+spam\xFF";
    cid.sendBytes(flood);

    EXPECT_TRUE(testsupport::waitFor([&] { return bob.closedByHost() && cid.closedByHost(); }));
    EXPECT_TRUE(ann.waitFor("CMD_playerdisconnected+2+Bob"));
    EXPECT_TRUE(ann.waitFor("CMD_playerdisconnected+3+Cid"));
    ann.send("CMD_chat+1+anyone?");
    EXPECT_TRUE(ann.waitFor("CMD_chat+1+Ann chats: anyone?"));
    EXPECT_LT(count(ann, "CMD_chat+3+Cid chats: spam"), 101);
}

// Chat lines of 60 KiB while one logged-in peer has stopped reading: what
// waits for it stays within the bound, then it leaves like any departing
// player, with whole messages up to the cut, and the chat goes on for the
// others.
TEST_F(TServerSockets, APeerThatStopsReadingIsCutAtTheBoundAndTheOthersChatOn) {
    RawClient& ann = joinAs("Ann");
    RawClient& bob = joinAs("Bob");
    RawClient& sid = joinAs("Sid");
    // With the platform holding little for Sid, nearly all Sid has not read
    // waits in the host.
    testsupport::shrinkSendBuffer(server->state().player(3).sock->SocketHandle());
    const QString filler(60 * 1024, u'x');
    const auto relayed = [&](int line) {
        return QStringLiteral("CMD_chat+2+Bob chats: %1 ").arg(line) + filler;
    };
    const QString sidLeft = QStringLiteral("CMD_playerdisconnected+3+Sid");
    const qsizetype lineBytes = relayed(1).size() + 1;
    // The bound, plus what Sid's end and the small send buffer take.
    const int mostLines = int((WriteQueue::kMaxWaiting + 512 * 1024) / lineBytes);
    int lines = 0;
    while (lines < 4 * mostLines && !ann.messages().contains(sidLeft)) {
        ++lines;
        bob.send(QStringLiteral("CMD_chat+2+%1 ").arg(lines) + filler);
        ASSERT_TRUE(ann.waitFor(relayed(lines))) << "line " << lines;
        ASSERT_TRUE(bob.waitFor(relayed(lines))) << "line " << lines;
    }
    ASSERT_TRUE(ann.waitFor(sidLeft, 2000)) << lines << " lines sent";
    EXPECT_LE(lines, mostLines);
    EXPECT_TRUE(bob.waitFor(sidLeft));
    EXPECT_TRUE(testsupport::waitFor([&] { return sid.closedByHost(); }));
    const QStringList sidsChat = sid.messages().filter("CMD_chat+");
    EXPECT_FALSE(sidsChat.isEmpty());
    for (int i = 0; i < sidsChat.size(); ++i)
        EXPECT_EQ(sidsChat.at(i), relayed(i + 1)) << "line " << i + 1;

    bob.send("CMD_chat+2+still here");
    EXPECT_TRUE(ann.waitFor("CMD_chat+2+Bob chats: still here"));
    EXPECT_EQ(count(ann, sidLeft), 1);
    EXPECT_FALSE(ann.closedByHost());
    EXPECT_FALSE(bob.closedByHost());
    EXPECT_TRUE(join().waitFor("CMD_sendlogininfo+3"));
}

TEST_F(TServerSockets, TheHostPlayerRemovesAPlayerByClosingItsConnection) {
    RawClient& ann = joinAs("Ann");
    RawClient& bob = joinAs("Bob");
    bob.send("CMD_kickhim+1+1+"); // not the host player's connection
    ann.send("CMD_kickhim+1+2+");
    EXPECT_TRUE(testsupport::waitFor([&] { return bob.closedByHost(); }));
    EXPECT_TRUE(bob.messages().contains("CMD_playerdisconnected+2+Bob")); // why, before the close
    EXPECT_TRUE(ann.waitFor("CMD_playerdisconnected+2+Bob"));
    EXPECT_FALSE(ann.closedByHost());
}

// Bob's socket closes mid-game: the others see him away. A new socket with his
// key, given another slot, gets his seat back with its score and ball, and
// speaks as seat 2; the used key, replayed, is refused with a plain log-in.
TEST_F(TServerSockets, ADroppedPlayerComesBackOnANewSocketToItsSeatScoreAndRack) {
    RawClient& ann = joinAs("Ann");
    RawClient& bob = joinAs("Bob");
    RawClient& cid = joinAs("Cid");
    ann.send("CMD_startgame+Ann+high+1+");
    const QString keyPrefix = QStringLiteral("CMD_rejoinkey+");
    const QString key = bob.waitForPrefix(keyPrefix).mid(keyPrefix.size());
    ASSERT_EQ(key.size(), 64);
    bob.send("CMD_myword+2+" + server->state().hiddenword + "+");
    ASSERT_FALSE(ann.waitForPrefix("CMD_heguessed+2+").isEmpty());
    bob.close();
    ASSERT_TRUE(ann.waitFor("CMD_playeraway+2+1"));
    EXPECT_TRUE(cid.waitFor("CMD_chat+0+Bob lost the connection. The seat is kept for 60 "
                            "seconds.|$00005E00"));

    const auto rejoin = [&](const QString& withKey, const QString& name) -> RawClient& {
        RawClient& client = join();
        const QString ask = client.waitForPrefix("CMD_sendlogininfo+");
        const QString slot = ask.mid(ask.indexOf('+') + 1);
        client.send("CMD_rejoin+" + slot + "+" + withKey);
        client.send("CMD_logininfo+" + slot + "+1.0.8+" + name);
        return client;
    };
    RawClient& back = rejoin(key, "Bob");
    ASSERT_TRUE(back.waitFor("CMD_rejoined+2"));
    EXPECT_EQ(back.messages().first(), "CMD_sendlogininfo+4");
    EXPECT_EQ(back.messages().at(1), "CMD_rejoined+2");
    EXPECT_TRUE(back.waitFor("CMD_existingplayers+1+Ann+0+2+Bob+0+3+Cid+0"));
    EXPECT_TRUE(back.waitFor("CMD_playerscores+1+0+2+1+3+0+4+0+5+0"));
    EXPECT_TRUE(back.waitFor("CMD_ballowners+1+2+2+0+3+0+4+0+5+0+6+0+7+0+8+0+9+0"));
    const QString newKey = back.waitForPrefix(keyPrefix).mid(keyPrefix.size());
    EXPECT_EQ(newKey.size(), 64);
    EXPECT_NE(newKey, key);
    EXPECT_TRUE(ann.waitFor("CMD_playeraway+2+0"));
    EXPECT_TRUE(ann.waitFor("CMD_chat+0+Bob is back.|$00005E00"));
    back.send("CMD_chat+2+hello|$00000000");
    EXPECT_TRUE(cid.waitFor("CMD_chat+2+Bob chats: hello|$00000000"));

    RawClient& replay = rejoin(key, "Eve");
    EXPECT_TRUE(replay.waitFor("CMD_rejoinrefused+"));
    EXPECT_TRUE(ann.waitFor("CMD_newplayerinfo+4+Eve+0"));
    EXPECT_EQ(server->state().player(2).name, "Bob");
    EXPECT_FALSE(back.closedByHost());
    EXPECT_EQ(count(ann, "CMD_newplayerinfo+4+Bob+0"), 0); // slot 4 was never Bob's
}

// A public host (--serve) closes a connection that has not logged in by its
// deadline, counted from its own CMD_sendlogininfo; whoever logs in stays,
// and a host without a deadline (a hosting player's own) keeps it.
TEST_F(TServerSockets, ASilentConnectionIsClosedAtItsLoginDeadlineAndItsSlotReused) {
    server->setLoginDeadline(300);
    RawClient& ann = joinAs("Ann");
    RawClient& silent = join();
    ASSERT_TRUE(silent.waitFor("CMD_sendlogininfo+2"));

    ASSERT_TRUE(testsupport::waitFor([&] { return silent.closedByHost(); }, 5000));
    EXPECT_FALSE(server->state().player(2).inuse);
    EXPECT_FALSE(ann.closedByHost());
    EXPECT_TRUE(join().waitFor("CMD_sendlogininfo+2"));
}

TEST_F(TServerSockets, EachConnectionGetsItsFullLoginTimeFromItsOwnRequest) {
    server->setLoginDeadline(1200);
    RawClient& first = join();
    ASSERT_TRUE(first.waitFor("CMD_sendlogininfo+1"));
    testsupport::settle(700);
    first.close();
    ASSERT_TRUE(testsupport::waitFor([&] { return !server->state().player(1).inuse; }));
    RawClient& second = join();
    ASSERT_TRUE(second.waitFor("CMD_sendlogininfo+1"));
    testsupport::settle(700); // past the first one's deadline, not its own
    EXPECT_FALSE(second.closedByHost());
    ASSERT_EQ(second.logIn("Bob"), 1);
    testsupport::settle(1000); // past its own deadline: it has logged in
    EXPECT_FALSE(second.closedByHost());
    EXPECT_EQ(server->state().player(1).name, "Bob");
}

TEST_F(TServerSockets, AHostWithoutALoginDeadlineKeepsASilentConnection) {
    RawClient& silent = join();
    ASSERT_TRUE(silent.waitFor("CMD_sendlogininfo+1"));
    testsupport::settle(500);
    EXPECT_FALSE(silent.closedByHost());
    EXPECT_TRUE(server->state().player(1).inuse);
}

} // namespace

// A connected non-blocking TSock against real loopback peers: what arrives, in
// which pieces, and what each end is told when a connection comes and goes.

#include "socket_test_support.h"

#include <QPointer>
#include <gtest/gtest.h>

using namespace nettest;

namespace {

class TSockConnection : public ::testing::Test {
protected:
    void SetUp() override { ensureApplication(); }

    // A client TSock connected to a raw peer.
    RawPeer connectToRaw(TSock& client) {
        client.setHostName("127.0.0.1");
        client.setPortName(QString::number(raw.port()));
        client.Open();
        RawPeer peer = raw.accept();
        EXPECT_TRUE(waitFor([&] { return client.Connected(); }));
        return peer;
    }

    RawListener raw;
};

TEST_F(TSockConnection, ConnectsWithoutWaitingAndTellsTheConnection) {
    AcceptingListener listener;
    TSock client;
    EventLog log;
    log.attach(client);
    client.setHostName("127.0.0.1");
    client.setPortName(QString::number(listener.sock.localPort()));

    EXPECT_FALSE(client.Open()); // returns before the connection exists
    EXPECT_EQ(log.entries, (QStringList{info(siLookUp, "Lookup Of Port " + client.PortName()),
                                        info(siLookUp, "Lookup Of Host 127.0.0.1")}));
    ASSERT_TRUE(waitFor([&] { return client.Connected(); }));
    EXPECT_EQ(log.entries.mid(2),
              (QStringList{info(siConnect, "Non-Blocking Socket Connected"), "connect",
                           info(siSend, "Non-Blocking Outgoing Data"), "write"}));
    log.entries.clear();
    EXPECT_TRUE(client.Open()); // already open: the connected flag, and nothing said
    EXPECT_TRUE(log.entries.isEmpty());
}

TEST_F(TSockConnection, AcceptedSocketTakesTheListenersHandlersAndReportsItsSettings) {
    EventLog listenerLog;
    AcceptingListener listener;
    listener.sock.OnInfo = [&](TSock*, TSocketInfo kind, const QString& msg) {
        listenerLog.entries << info(kind, msg);
    };
    int reads = 0;
    listener.sock.OnRead = [&](TSock*, int) {
        ++reads;
    };
    TSock client;
    TSock* accepted = connectClient(client, listener);

    EXPECT_TRUE(accepted->Connected());
    EXPECT_EQ(accepted->parent(), &listener.sock);
    EXPECT_EQ(accepted->HostName(), "127.0.0.1");
    EXPECT_EQ(accepted->PortName(), "0");
    EXPECT_EQ(listenerLog.entries,
              (QStringList{info(siLookUp, "Setting PortName While Connected Has No Effect"),
                           info(siLookUp, "Setting HostName While Connected Has No Effect"),
                           info(siAccept, "Created New TSock Structure")}));
    client.Send("x");
    EXPECT_TRUE(waitFor([&] { return reads == 1; }));
}

TEST_F(TSockConnection, AListenerWithoutInfoHandlerGivesSilentAcceptedSockets) {
    AcceptingListener listener;
    TSock client;
    TSock* accepted = connectClient(client, listener);
    EXPECT_FALSE(accepted->OnInfo);
    EXPECT_TRUE(accepted->OnDisconnect == nullptr);
}

TEST_F(TSockConnection, BytesPassUnchangedWhateverTheLineBreakSetting) {
    TSock client;
    client.setLineBreak(lbCRLF);
    RawPeer peer = connectToRaw(client);
    const QByteArray bytes("CMD_chat+1+a\r\nb\n\xFF\x00\xFE", 18);
    client.Send(bytes);
    EXPECT_EQ(peer.readExactly(bytes.size()), bytes);
    peer.sendAll(bytes);
    ASSERT_TRUE(waitFor([&] { return client.stream()->bytesAvailable() == bytes.size(); }));
    EXPECT_EQ(client.Receive(), bytes);
}

TEST_F(TSockConnection, ALargeArrivalIsReadIn32KiBPiecesAndCountIsAllThatIsBuffered) {
    TSock client;
    QList<int> counts;
    client.OnRead = [&](TSock*, int count) {
        counts << count;
    };
    RawPeer peer = connectToRaw(client);
    peer.sendAll(QByteArray(40000, 'a'));
    ASSERT_TRUE(waitFor([&] { return counts.size() == 2; }));
    EXPECT_EQ(counts, (QList<int>{32768, 40000}));
    EXPECT_EQ(client.Receive().size(), 40000);
}

TEST_F(TSockConnection, AReaderThatTakesEverythingGets32768Then7232Bytes) {
    QList<qsizetype> pieces;
    QStringList infos;
    TSock client;
    client.OnRead = [&](TSock* sender, int) {
        pieces << sender->Receive().size();
    };
    client.OnInfo = [&](TSock*, TSocketInfo kind, const QString& msg) {
        if (kind == siRecv)
            infos << msg;
    };
    RawPeer peer = connectToRaw(client);
    peer.sendAll(QByteArray(40000, 'b'));
    ASSERT_TRUE(waitFor([&] { return pieces.size() == 2; }));
    EXPECT_EQ(pieces, (QList<qsizetype>{32768, 7232}));
    EXPECT_EQ(infos, QStringList(2, "Non-Blocking Incoming Data"));
}

TEST_F(TSockConnection, ReceiveTakesWhatIsBufferedAndNeverWaits) {
    TSock client;
    RawPeer peer = connectToRaw(client);
    EXPECT_EQ(client.Receive(), QByteArray());
    peer.sendAll("abcdef");
    ASSERT_TRUE(waitFor([&] { return client.stream()->bytesAvailable() == 6; }));
    EXPECT_EQ(client.ReceiveCount(2), "ab");
    EXPECT_EQ(client.ReceiveCount(10), "cdef");
    EXPECT_EQ(client.ReceiveCount(5), "");
}

TEST_F(TSockConnection, DataSentWhileConnectingGoesOutFirstAndInOrder) {
    TSock client;
    client.setHostName("127.0.0.1");
    client.setPortName(QString::number(raw.port()));
    client.Open();
    ASSERT_FALSE(client.Connected());
    client.Send("first+");
    client.Send("second+");
    RawPeer peer = raw.accept();
    ASSERT_TRUE(waitFor([&] { return client.Connected(); }));
    client.Send("third");
    EXPECT_EQ(peer.readExactly(18), "first+second+third");
}

TEST_F(TSockConnection, AQueueThePeerCannotTakeYetFollowsLaterInOrder) {
    TSock client;
    int writes = 0;
    client.OnWrite = [&](TSock*) {
        ++writes;
    };
    RawPeer peer = connectToRaw(client);
    const int writesAfterConnect = writes;
    QByteArray big(8 * 1024 * 1024, 'x');
    for (int i = 0; i < big.size(); i += 4096)
        big[i] = char('a' + (i / 4096) % 26);
    client.Send(big);
    client.Send("tail");
    const QByteArray got = peer.readExactly(big.size() + 4);
    EXPECT_EQ(got.size(), big.size() + 4);
    EXPECT_TRUE(got == big + "tail");
    EXPECT_GT(writes, writesAfterConnect); // the queue drained on writable notifications
}

TEST_F(TSockConnection, PeerCloseTellsDisconnectThenSocketClosedOnce) {
    TSock client;
    EventLog log;
    log.attach(client);
    RawPeer peer = connectToRaw(client);
    log.entries.clear();
    peer.sendAll("bye");
    peer.close();
    ASSERT_TRUE(waitFor([&] { return log.contains("disconnect"); }));
    settle();
    EXPECT_EQ(log.entries, (QStringList{info(siRecv, "Non-Blocking Incoming Data"), "read 3",
                                        "disconnect", info(siClose, "Socket Closed")}));
    EXPECT_FALSE(client.Connected());
}

TEST_F(TSockConnection, BytesReceivedBeforeThePeerClosedCanStillBeTaken) {
    TSock client;
    bool gone = false;
    client.OnDisconnect = [&](TSock*) {
        gone = true;
    };
    RawPeer peer = connectToRaw(client);
    peer.sendAll("last words");
    peer.close();
    ASSERT_TRUE(waitFor([&] { return gone; }));
    settle(20);
    EXPECT_EQ(client.Receive(), "last words");
    EXPECT_THROW(
        {
            try {
                client.Receive();
            } catch (const ESockException& e) {
                EXPECT_STREQ(e.what(), "Receive - Socket Not Connected");
                throw;
            }
        },
        ESockException);
}

TEST_F(TSockConnection, ADisconnectHandlerThatClosesGetsSocketClosedTwice) {
    QStringList closes;
    AcceptingListener listener;
    listener.sock.OnDisconnect = [](TSock* sender) {
        sender->Close();
    };
    listener.sock.OnInfo = [&](TSock* sender, TSocketInfo, const QString& msg) {
        if (sender != &listener.sock && msg == "Socket Closed")
            closes << msg;
    };
    auto client = std::make_unique<TSock>();
    connectClient(*client, listener);
    client.reset(); // the client goes away: an orderly close
    ASSERT_TRUE(waitFor([&] { return closes.size() >= 2; }));
    settle();
    EXPECT_EQ(closes.size(), 2);
}

TEST_F(TSockConnection, AReadHandlerMayDeleteTheSocketThatCalledIt) {
    AcceptingListener listener;
    QList<QPointer<TSock>> deleted;
    listener.sock.OnRead = [&](TSock* sender, int) {
        deleted << sender;
        delete sender;
    };
    TSock client;
    connectClient(client, listener);
    client.Send(QByteArray(40000, 'z')); // more than one read's worth
    ASSERT_TRUE(waitFor([&] { return !deleted.isEmpty(); }));
    settle();
    EXPECT_EQ(deleted.size(), 1);
    EXPECT_TRUE(deleted.first().isNull());
}

TEST_F(TSockConnection, AClosedHandlerMayDeleteTheSocketThatCalledIt) {
    AcceptingListener listener;
    int deletes = 0;
    listener.sock.OnInfo = [&](TSock* sender, TSocketInfo, const QString& msg) {
        if (msg == "Socket Closed") {
            ++deletes;
            delete sender;
        }
    };
    TSock client;
    QPointer<TSock> accepted = connectClient(client, listener);
    client.Close();
    ASSERT_TRUE(waitFor([&] { return accepted.isNull(); }));
    settle();
    EXPECT_EQ(deletes, 1);
}

TEST_F(TSockConnection, ARefusedConnectionIsOnlyAnErrorReport) {
    UnusedPort nobody;
    TSock client;
    EventLog log;
    log.attach(client);
    client.setHostName("127.0.0.1");
    client.setPortName(QString::number(nobody.port()));
    client.Open();
    log.entries.clear();
    ASSERT_TRUE(waitFor([&] { return !log.entries.isEmpty(); }));
    settle();
    EXPECT_EQ(log.entries, QStringList{info(siError, "Error #10061 (WSAECONNREFUSED)")});
    EXPECT_FALSE(client.Connected());
    EXPECT_FALSE(client.Open()); // the failed attempt keeps its socket: no second try
    settle(50);
    EXPECT_EQ(log.entries.size(), 1);
}

TEST_F(TSockConnection, APeerResetDuringALargeSendIsReportedAndHarmless) {
    TSock client;
    EventLog log;
    log.attach(client);
    RawPeer peer = connectToRaw(client);
    client.Send(QByteArray(16 * 1024 * 1024, 'r')); // far more than the peer buffers
    log.entries.clear();
    peer.reset();
    ASSERT_TRUE(waitFor([&] { return log.count(info(siError, "Error #10054 (WSAECONNRESET)")); }));
    EXPECT_NO_THROW(client.Send("more"));
    settle();
    EXPECT_FALSE(log.contains("disconnect"));
    EXPECT_FALSE(log.contains(info(siClose, "Socket Closed")));
    EXPECT_EQ(log.count(info(siError, "Error #10054 (WSAECONNRESET)")), 1);
}

TEST_F(TSockConnection, TheStreamAdapterReadsAndWritesThroughTheSocket) {
    TSock client;
    RawPeer peer = connectToRaw(client);
    QIODevice* stream = client.stream();
    EXPECT_EQ(stream->write("via stream"), 10);
    EXPECT_EQ(peer.readExactly(10), "via stream");
    peer.sendAll("0123456789");
    ASSERT_TRUE(waitFor([&] { return stream->bytesAvailable() == 10; }));
    char buffer[4];
    EXPECT_EQ(stream->read(buffer, 4), 4);
    EXPECT_EQ(QByteArray(buffer, 4), "0123");
    EXPECT_FALSE(stream->seek(2));
    EXPECT_EQ(stream->readAll(), "456789");
}

} // namespace

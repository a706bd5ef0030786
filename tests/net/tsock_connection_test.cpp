// A non-blocking TSock against real loopback peers: what arrives, in which
// pieces, and what each end is told as a connection comes and goes.

#include "send_buffer.h"
#include "socket_test_support.h"

#include <gtest/gtest.h>

using namespace nettest;

namespace {

class TSockConnection : public ::testing::Test {
protected:
    RawSocket raw = RawSocket::listener();
};

TEST_F(TSockConnection, OpenReturnsAtOnceAndTheConnectionIsToldLater) {
    EventLog log;
    TSock client;
    log.attach(client);
    client.setHostName("127.0.0.1");
    client.setPortName(QString::number(raw.port()));
    EXPECT_FALSE(client.Open());
    RawSocket peer = raw.accept();
    ASSERT_TRUE(waitFor([&] { return client.Connected(); }));
    EXPECT_EQ(log.entries, (QStringList{info(siLookUp, "Lookup Of Port " + client.PortName()),
                                        info(siLookUp, "Lookup Of Host 127.0.0.1"),
                                        info(siConnect, "Non-Blocking Socket Connected"), "connect",
                                        info(siSend, "Non-Blocking Outgoing Data"), "write"}));
    log.entries.clear();
    EXPECT_TRUE(client.Open()); // already open: the connected flag, and nothing told
    EXPECT_TRUE(log.entries.isEmpty());
}

TEST_F(TSockConnection, AcceptedSocketsTakeTheListenersHandlersAndReportTheirSettings) {
    EventLog log;
    AcceptingListener listener;
    log.attach(listener.sock);
    log.entries.clear();
    TSock client;
    TSock* accepted = connectClient(client, listener);
    EXPECT_EQ(accepted->parent(), &listener.sock);
    EXPECT_EQ(accepted->HostName(), "127.0.0.1");
    EXPECT_EQ(log.entries,
              (QStringList{info(siLookUp, "Setting PortName While Connected Has No Effect"),
                           info(siLookUp, "Setting HostName While Connected Has No Effect"),
                           info(siAccept, "Created New TSock Structure")}));
    client.Send("x");
    EXPECT_TRUE(waitFor([&] { return log.contains("read 1"); }));
}

TEST_F(TSockConnection, BytesPassUnchangedAndReceiveTakesOnlyWhatIsBuffered) {
    TSock client;
    client.setLineBreak(lbCRLF);
    RawSocket peer = connectClient(client, raw);
    const QByteArray bytes("CMD_chat+1+a\r\nb\n\xFF\x00\xFE", 18);
    client.Send(bytes);
    EXPECT_EQ(peer.readExactly(bytes.size()), bytes);
    EXPECT_EQ(client.Receive(), QByteArray());
    ASSERT_TRUE(peer.sendAll(bytes));
    ASSERT_TRUE(waitFor([&] { return client.stream()->bytesAvailable() == bytes.size(); }));
    EXPECT_EQ(client.ReceiveCount(12), bytes.left(12));
    EXPECT_EQ(client.ReceiveCount(100), bytes.mid(12));
}

TEST_F(TSockConnection, ALargeArrivalIsReadIn32KiBPieces) {
    TSock keeper, taker; // one leaves the bytes buffered, one takes them at each read
    QList<int> counts;
    QList<qsizetype> taken;
    keeper.OnRead = [&](TSock*, int count) {
        counts << count;
    };
    taker.OnRead = [&](TSock* sender, int) {
        taken << sender->Receive().size();
    };
    RawSocket keeperPeer = connectClient(keeper, raw);
    RawSocket takerPeer = connectClient(taker, raw);
    ASSERT_TRUE(keeperPeer.sendAll(QByteArray(40000, 'a')));
    ASSERT_TRUE(takerPeer.sendAll(QByteArray(40000, 'b')));
    ASSERT_TRUE(waitFor([&] { return counts.size() == 2 && taken.size() == 2; }));
    settle();
    EXPECT_EQ(counts, (QList<int>{32768, 40000}));
    EXPECT_EQ(taken, (QList<qsizetype>{32768, 7232}));
}

TEST_F(TSockConnection, DataSentWhileConnectingOrBlockedGoesOutLaterInOrder) {
    TSock client;
    client.setHostName("127.0.0.1");
    client.setPortName(QString::number(raw.port()));
    client.Open();
    ASSERT_FALSE(client.Connected());
    client.Send("first+");
    client.Send("second+");
    RawSocket peer = raw.accept();
    ASSERT_TRUE(waitFor([&] { return client.Connected(); }));
    testsupport::shrinkSendBuffer(client.SocketHandle());
    QByteArray big(768 * 1024, 'x'); // more than the peer takes before it reads
    for (int i = 0; i < big.size(); i += 4096)
        big[i] = char('a' + i / 4096 % 26);
    client.Send(big);
    client.Send("tail");
    const QByteArray expected = "first+second+" + big + "tail";
    EXPECT_TRUE(peer.readExactly(expected.size()) == expected);
}

TEST_F(TSockConnection, PeerCloseToldOnceAndBufferedBytesStayReadable) {
    EventLog log;
    TSock client;
    log.attach(client);
    RawSocket peer = connectClient(client, raw);
    log.entries.clear();
    ASSERT_TRUE(peer.sendAll("bye"));
    peer.close();
    ASSERT_TRUE(waitFor([&] { return log.contains("disconnect"); }));
    settle();
    EXPECT_EQ(log.entries, (QStringList{info(siRecv, "Non-Blocking Incoming Data"), "read 3",
                                        "disconnect", info(siClose, "Socket Closed")}));
    EXPECT_FALSE(client.Connected());
    EXPECT_EQ(client.Receive(), "bye");
    try {
        client.Receive();
        ADD_FAILURE() << "nothing raised";
    } catch (const ESockException& e) {
        EXPECT_STREQ(e.what(), "Receive - Socket Not Connected");
    }
}

TEST_F(TSockConnection, ADisconnectHandlerThatClosesGetsSocketClosedTwice) {
    int closes = 0;
    AcceptingListener listener;
    listener.sock.OnDisconnect = [](TSock* sender) {
        sender->Close();
    };
    listener.sock.OnInfo = [&](TSock* sender, TSocketInfo, const QString& msg) {
        closes += sender != &listener.sock && msg == "Socket Closed";
    };
    TSock client;
    connectClient(client, listener);
    client.Close();
    ASSERT_TRUE(waitFor([&] { return closes >= 2; }));
    settle();
    EXPECT_EQ(closes, 2);
}

TEST_F(TSockConnection, HandlersMayDeleteTheSocketThatCalledThem) {
    QList<QPointer<TSock>> deletedOnRead, deletedOnClose;
    AcceptingListener readers, closers;
    readers.sock.OnRead = [&](TSock* sender, int) {
        deletedOnRead << sender;
        delete sender;
    };
    closers.sock.OnInfo = [&](TSock* sender, TSocketInfo, const QString& msg) {
        if (msg == "Socket Closed") {
            deletedOnClose << sender;
            delete sender;
        }
    };
    TSock reading, closing;
    connectClient(reading, readers);
    connectClient(closing, closers);
    reading.Send(QByteArray(40000, 'z')); // more than one read's worth
    closing.Close();
    ASSERT_TRUE(waitFor([&] { return deletedOnRead.size() && deletedOnClose.size(); }));
    settle();
    EXPECT_EQ(deletedOnRead.size(), 1);
    EXPECT_EQ(deletedOnClose.size(), 1);
    EXPECT_TRUE(deletedOnRead[0].isNull() && deletedOnClose[0].isNull());
}

TEST_F(TSockConnection, ARefusedConnectionIsOnlyAnErrorReport) {
    RawSocket nobody = RawSocket::bound();
    EventLog log;
    TSock client;
    client.setHostName("127.0.0.1");
    client.setPortName(QString::number(nobody.port()));
    client.Open();
    log.attach(client);
    ASSERT_TRUE(waitFor([&] { return !log.entries.isEmpty(); }));
    settle();
    EXPECT_EQ(log.entries, QStringList{info(siError, "Error #10061 (WSAECONNREFUSED)")});
    EXPECT_FALSE(client.Open()); // the failed attempt keeps its socket: no second try
}

TEST_F(TSockConnection, APeerResetDuringALargeSendIsReportedAndHarmless) {
    EventLog log;
    TSock client;
    log.attach(client);
    RawSocket peer = connectClient(client, raw);
    testsupport::shrinkSendBuffer(client.SocketHandle());
    client.Send(QByteArray(768 * 1024, 'r')); // far more than the peer buffers
    log.entries.clear();
    peer.reset();
    const QString resetReport = info(siError, "Error #10054 (WSAECONNRESET)");
    ASSERT_TRUE(waitFor([&] { return log.contains(resetReport); }));
    EXPECT_NO_THROW(client.Send("more"));
    settle();
    EXPECT_EQ(log.entries.filter("info 7"), QStringList{resetReport});
    EXPECT_FALSE(log.contains("disconnect"));
    EXPECT_FALSE(log.contains(info(siClose, "Socket Closed")));
}

TEST_F(TSockConnection, TheStreamAdapterReadsAndWritesThroughTheSocket) {
    TSock client;
    RawSocket peer = connectClient(client, raw);
    QIODevice* stream = client.stream();
    EXPECT_EQ(stream->write("via stream"), 10);
    EXPECT_EQ(peer.readExactly(10), "via stream");
    ASSERT_TRUE(peer.sendAll("0123456789"));
    ASSERT_TRUE(waitFor([&] { return stream->bytesAvailable() == 10; }));
    char buffer[4];
    EXPECT_EQ(stream->read(buffer, 4), 4);
    EXPECT_EQ(QByteArray(buffer, 4), "0123");
    EXPECT_FALSE(stream->seek(2));
    EXPECT_EQ(stream->readAll(), "456789");
}

} // namespace

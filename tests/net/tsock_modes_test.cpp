// The modes the game itself does not use: blocking, auto-accept and datagram.

#include "socket_test_support.h"

#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

using namespace nettest;

namespace {

class TSockModes : public ::testing::Test {
protected:
    void SetUp() override { ensureApplication(); }
};

TEST_F(TSockModes, ABlockingClientConnectsSendsAndWaitsForData) {
    RawListener raw;
    TSock client;
    EventLog log;
    log.attach(client);
    client.setBlocking(true);
    client.setBlockingTimeout(10);
    client.setHostName("127.0.0.1");
    client.setPortName(QString::number(raw.port()));
    EXPECT_TRUE(client.Open());
    EXPECT_TRUE(client.Connected());
    RawPeer peer = raw.accept();
    EXPECT_EQ(log.entries.mid(2),
              (QStringList{info(siConnect, "Blocking Socket Connected"), "connect"}));
    log.entries.clear();
    client.Send("ping");
    EXPECT_EQ(log.entries, QStringList{info(siSend, "Blocking Outgoing Data")});
    EXPECT_EQ(peer.readExactly(4), "ping");

    peer.sendAll("pong");
    log.entries.clear();
    EXPECT_EQ(client.Receive(), "pong");
    EXPECT_EQ(log.entries, QStringList{info(siRecv, "Blocking Incoming Data")});

    peer.close();
    log.entries.clear();
    EXPECT_EQ(client.Receive(), "");
    EXPECT_EQ(log.entries, (QStringList{info(siRecv, "Blocking Incoming Data"),
                                        info(siClose, "Socket Disconnected On Receive"),
                                        info(siClose, "Socket Closed"), "disconnect"}));
    EXPECT_FALSE(client.Connected());
}

TEST_F(TSockModes, ABlockingReceiveGivesUpAfterItsTimeout) {
    RawListener raw;
    TSock client;
    client.setBlocking(true);
    client.setBlockingTimeout(0);
    client.setHostName("127.0.0.1");
    client.setPortName(QString::number(raw.port()));
    client.Open();
    RawPeer peer = raw.accept();
    EXPECT_EQ(client.Receive(), "");
    EXPECT_TRUE(client.Connected());
}

TEST_F(TSockModes, ABlockingConnectThatFailsClosesAtOnce) {
    UnusedPort nobody;
    TSock client;
    EventLog log;
    log.attach(client);
    client.setBlocking(true);
    client.setHostName("127.0.0.1");
    client.setPortName(QString::number(nobody.port()));
    EXPECT_FALSE(client.Open());
    EXPECT_EQ(log.entries.mid(2), (QStringList{info(siClose, "Blocking Socket Can't Connect"),
                                               info(siClose, "Socket Closed")}));
    EXPECT_EQ(client.localPort(), 0);
}

TEST_F(TSockModes, SwitchingAConnectedSocketToBlockingStopsItsEvents) {
    AcceptingListener listener;
    TSock client;
    TSock* accepted = connectClient(client, listener);
    int reads = 0;
    client.OnRead = [&](TSock*, int) {
        ++reads;
    };
    client.setBlocking(true);
    client.setBlockingTimeout(10);
    accepted->Send("quiet");
    EXPECT_EQ(client.ReceiveCount(100), "quiet");
    client.setBlocking(false);
    accepted->Send("loud");
    EXPECT_TRUE(waitFor([&] { return reads == 1; }));
    EXPECT_EQ(client.Receive(), "loud");
}

TEST_F(TSockModes, AutoAcceptHandsTheNewSocketOverOnTheEventThread) {
    TSock listener;
    listener.setPortName("0");
    listener.setAutoAccept(true);
    int accepts = 0;
    listener.OnAccept = [&](TSock*) {
        ++accepts;
    };
    TSock* handed = nullptr;
    listener.OnAutoAccept = [&](TSock* sender, TSock* newSock) {
        EXPECT_EQ(sender, &listener);
        EXPECT_EQ(QThread::currentThread(), listener.thread());
        handed = newSock;
    };
    listener.setListen(true);
    RawPeer peer = RawPeer::connectTo(listener.localPort());
    ASSERT_TRUE(waitFor([&] { return handed != nullptr; }));
    EXPECT_EQ(accepts, 0);
    EXPECT_TRUE(handed->Connected());
    EXPECT_EQ(handed->parent(), &listener);
    handed->Send("hello");
    EXPECT_EQ(peer.readExactly(5), "hello");
}

TEST_F(TSockModes, ABlockingAutoAcceptListenerServesEachConnectionOnItsOwnThread) {
    TSock listener;
    listener.setPortName("0");
    listener.setAutoAccept(true);
    listener.setBlocking(true);
    listener.setBlockingTimeout(10);
    std::atomic<bool> onOtherThread{false};
    std::atomic<bool> served{false};
    listener.OnAutoAccept = [&](TSock*, TSock* newSock) {
        onOtherThread = QThread::currentThread() != listener.thread();
        const QByteArray request = newSock->Receive();
        newSock->Send("echo:" + request);
        served = true;
    };
    listener.setListen(true);
    RawPeer peer = RawPeer::connectTo(listener.localPort());
    peer.sendAll("hi");
    EXPECT_EQ(peer.readExactly(7), "echo:hi");
    EXPECT_TRUE(waitFor([&] { return served.load(); }));
    EXPECT_TRUE(onOtherThread);
}

TEST_F(TSockModes, DatagramsTravelBetweenTwoBoundSockets) {
    TSock receiver, sender;
    EventLog receiverLog;
    receiverLog.attach(receiver);
    for (TSock* sock : {&receiver, &sender}) {
        sock->setSocketType(stDatagram);
        sock->setPortName("0");
        EXPECT_TRUE(sock->Open());
    }
    EXPECT_TRUE(receiverLog.contains(info(siConnect, "Datagram Socket Connected")));
    sender.setPortName(QString::number(receiver.localPort()));
    QByteArray data;
    QString from;
    receiver.ReceiveDatagram(data, from);
    EXPECT_TRUE(data.isEmpty() && from.isEmpty()); // nothing came

    EXPECT_TRUE(sender.SendDatagram("hello", "127.0.0.1"));
    EXPECT_EQ(sender.HostName(), "127.0.0.1");
    ASSERT_TRUE(waitFor([&] { return receiverLog.contains("read 0"); }));
    receiver.ReceiveDatagram(data, from);
    EXPECT_EQ(data, "hello");
    EXPECT_EQ(from, "127.0.0.1");

    sender.Send("second"); // Send on a datagram socket sends to HostName
    ASSERT_TRUE(waitFor([&] { return receiverLog.count("read 0") == 2; }));
    EXPECT_EQ(receiver.Receive(), "second");
}

TEST_F(TSockModes, ADatagramLeftUnreadIsAnnouncedOnce) {
    TSock receiver, sender;
    int reads = 0;
    receiver.OnRead = [&](TSock*, int) {
        ++reads;
    };
    for (TSock* sock : {&receiver, &sender}) {
        sock->setSocketType(stDatagram);
        sock->setPortName("0");
        sock->Open();
    }
    sender.setPortName(QString::number(receiver.localPort()));
    sender.SendDatagram("one", "127.0.0.1");
    ASSERT_TRUE(waitFor([&] { return reads == 1; }));
    settle();
    EXPECT_EQ(reads, 1);
}

} // namespace

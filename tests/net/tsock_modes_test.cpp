// The modes the game itself does not use: blocking, auto-accept and datagram.

#include "socket_test_support.h"

#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

using namespace nettest;

namespace {

class TSockModes : public ::testing::Test {
protected:
};

TEST_F(TSockModes, ABlockingClientConnectsSendsAndWaitsForData) {
    RawSocket raw = RawSocket::listener();
    EventLog log;
    TSock client;
    log.attach(client);
    client.setBlocking(true);
    client.setBlockingTimeout(10);
    client.setHostName("127.0.0.1");
    client.setPortName(QString::number(raw.port()));
    EXPECT_TRUE(client.Open());
    RawSocket peer = raw.accept();
    client.Send("ping");
    EXPECT_EQ(peer.readExactly(4), "ping");
    ASSERT_TRUE(peer.sendAll("pong"));
    EXPECT_EQ(client.Receive(), "pong");
    peer.close();
    EXPECT_EQ(client.Receive(), "");
    EXPECT_EQ(log.entries.mid(2), (QStringList{info(siConnect, "Blocking Socket Connected"),
                                               "connect", info(siSend, "Blocking Outgoing Data"),
                                               info(siRecv, "Blocking Incoming Data"),
                                               info(siRecv, "Blocking Incoming Data"),
                                               info(siClose, "Socket Disconnected On Receive"),
                                               info(siClose, "Socket Closed"), "disconnect"}));
}

TEST_F(TSockModes, ABlockingConnectThatFailsClosesAtOnce) {
    RawSocket nobody = RawSocket::bound();
    EventLog log;
    TSock client;
    log.attach(client);
    client.setBlocking(true);
    client.setHostName("127.0.0.1");
    client.setPortName(QString::number(nobody.port()));
    EXPECT_FALSE(client.Open());
    EXPECT_EQ(log.entries.mid(2), (QStringList{info(siClose, "Blocking Socket Can't Connect"),
                                               info(siClose, "Socket Closed")}));
}

TEST_F(TSockModes, AutoAcceptHandsTheNewSocketOverWithoutOnAccept) {
    TSock listener;
    listener.setPortName("0");
    listener.setAutoAccept(true);
    listener.OnAccept = [](TSock*) {
        ADD_FAILURE() << "OnAccept called";
    };
    TSock* handed = nullptr;
    listener.OnAutoAccept = [&](TSock* sender, TSock* newSock) {
        EXPECT_EQ(sender, &listener);
        EXPECT_EQ(QThread::currentThread(), listener.thread());
        handed = newSock;
    };
    listener.setListen(true);
    RawSocket peer = RawSocket::connectTo(listener.localPort());
    ASSERT_TRUE(waitFor([&] { return handed != nullptr; }));
    handed->Send("hello");
    EXPECT_EQ(peer.readExactly(5), "hello");
}

TEST_F(TSockModes, ABlockingAutoAcceptListenerServesAConnectionOnAThreadOfItsOwn) {
    TSock listener;
    listener.setPortName("0");
    listener.setAutoAccept(true);
    listener.setBlocking(true);
    listener.setBlockingTimeout(10);
    std::atomic<bool> onOtherThread{false}, served{false};
    listener.OnAutoAccept = [&](TSock*, TSock* newSock) {
        onOtherThread = QThread::currentThread() != listener.thread();
        newSock->Send("echo:" + newSock->Receive());
        served = true;
    };
    listener.setListen(true);
    RawSocket peer = RawSocket::connectTo(listener.localPort());
    ASSERT_TRUE(peer.sendAll("hi"));
    EXPECT_EQ(peer.readExactly(7), "echo:hi");
    EXPECT_TRUE(waitFor([&] { return served.load(); })); // before the sockets go
    EXPECT_TRUE(onOtherThread);
}

TEST_F(TSockModes, DatagramsTravelBetweenTwoBoundSocketsAndAreAnnouncedOnce) {
    EventLog log;
    TSock receiver, sender;
    log.attach(receiver);
    for (TSock* sock : {&receiver, &sender}) {
        sock->setSocketType(stDatagram);
        sock->setPortName("0");
        EXPECT_TRUE(sock->Open());
    }
    EXPECT_TRUE(log.contains(info(siConnect, "Datagram Socket Connected")));
    sender.setPortName(QString::number(receiver.localPort()));
    EXPECT_TRUE(sender.SendDatagram("hello", "127.0.0.1"));
    sender.Send("second"); // Send on a datagram socket sends to HostName
    ASSERT_TRUE(waitFor([&] { return log.contains("read 0"); }));
    settle(); // not announced again until received
    EXPECT_EQ(log.entries.count("read 0"), 1);
    QByteArray data;
    QString from;
    receiver.ReceiveDatagram(data, from);
    EXPECT_EQ(data, "hello");
    EXPECT_EQ(from, "127.0.0.1");
    ASSERT_TRUE(waitFor([&] { return log.entries.count("read 0") == 2; }));
    EXPECT_EQ(receiver.Receive(), "second");
    receiver.ReceiveDatagram(data, from);
    EXPECT_TRUE(data.isEmpty() && from.isEmpty()); // nothing more came
}

} // namespace

// Listening TSocks and the exceptions that guard each operation.

#include "socket_test_support.h"

#include <gtest/gtest.h>

using namespace nettest;

namespace {

std::string messageOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const ESockException& e) {
        return e.what();
    }
    return "(nothing raised)";
}

class TSockListen : public ::testing::Test {
protected:
    void SetUp() override { ensureApplication(); }
};

TEST_F(TSockListen, StartingTwiceReportsAlreadyRunningAndStoppingClosesQuietly) {
    TSock listener;
    EventLog log;
    log.attach(listener);
    listener.setPortName("0");
    listener.setListen(true);
    EXPECT_TRUE(listener.Listen());
    EXPECT_NE(listener.localPort(), 0);
    EXPECT_EQ(log.infos(), (QStringList{info(siLookUp, "Lookup Of Port 0"),
                                        info(siListen, "Listening Started")}));
    log.entries.clear();
    EXPECT_NO_THROW(listener.setListen(true));
    EXPECT_EQ(log.infos(), QStringList{info(siListen, "Listening Already Running")});
    log.entries.clear();
    listener.setListen(false);
    EXPECT_EQ(log.infos(),
              (QStringList{info(siClose, "Socket Closed"), info(siListen, "Listening Stopped")}));
    EXPECT_FALSE(listener.Listen());
    EXPECT_EQ(listener.localPort(), 0);
}

TEST_F(TSockListen, DestroyingAListenerReportsNothingAndFreesItsPort) {
    QStringList reports;
    quint16 port = 0;
    {
        TSock listener;
        listener.setPortName("0");
        listener.setListen(true);
        port = listener.localPort();
        listener.OnInfo = [&](TSock*, TSocketInfo, const QString& msg) {
            reports << msg;
        };
    }
    EXPECT_TRUE(reports.isEmpty());
    TSock again;
    again.setPortName(QString::number(port));
    EXPECT_NO_THROW(again.setListen(true));
}

TEST_F(TSockListen, APortHeldByAnotherListenerCannotBeBound) {
    RawListener other;
    TSock listener;
    listener.setPortName(QString::number(other.port()));
    EXPECT_EQ(messageOf([&] { listener.setListen(true); }), "Listen - Error Binding Socket");
    EXPECT_FALSE(listener.Listen());
    // The failed socket stays open, so trying again is refused until Close.
    EXPECT_EQ(messageOf([&] { listener.setListen(true); }), "Listen - Socket Already In Use");
    listener.Close();
    listener.setPortName("0");
    EXPECT_NO_THROW(listener.setListen(true));
}

TEST_F(TSockListen, ConnectionsAreAnnouncedUntilAccepted) {
    TSock listener;
    listener.setPortName("0");
    int announced = 0;
    listener.OnAccept = [&](TSock*) {
        ++announced;
    };
    listener.setListen(true);
    RawPeer first = RawPeer::connectTo(listener.localPort());
    ASSERT_TRUE(waitFor([&] { return announced == 1; }));
    settle(); // not accepted: not announced again until an Accept
    EXPECT_EQ(announced, 1);
    TSock* accepted = nullptr;
    ASSERT_TRUE(listener.Accept(accepted));
    RawPeer second = RawPeer::connectTo(listener.localPort());
    EXPECT_TRUE(waitFor([&] { return announced == 2; }));
    EXPECT_TRUE(accepted->Connected());
}

TEST_F(TSockListen, AcceptWithNothingWaitingFails) {
    QStringList reports;
    TSock listener;
    listener.OnInfo = [&](TSock*, TSocketInfo, const QString& msg) {
        reports << msg;
    };
    listener.setPortName("0");
    listener.setListen(true);
    TSock* untouched = reinterpret_cast<TSock*>(0x1);
    EXPECT_FALSE(listener.Accept(untouched));
    EXPECT_EQ(untouched, reinterpret_cast<TSock*>(0x1));
    EXPECT_EQ(reports.last(), "Could Not Accept Connection");
}

TEST_F(TSockListen, EachMisuseRaisesItsOwnMessage) {
    TSock closed;
    TSock listener;
    listener.setPortName("0");
    listener.setListen(true);
    AcceptingListener acceptor;
    TSock client;
    connectClient(client, acceptor);
    TSock datagram;
    datagram.setSocketType(stDatagram);
    TSock noPort;

    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { closed.Send("x"); }, "Send - Socket Not Connected"},
        {[&] { listener.Send("x"); }, "Send - Cannot Send On A Listener Socket"},
        {[&] { closed.Receive(); }, "Receive - Socket Not Connected"},
        {[&] { listener.Receive(); }, "Receive - Cannot Receive On A Listener Socket"},
        {[&] {
             TSock* s;
             closed.Accept(s);
         },
         "Accept - Socket Not In Listening Mode"},
        {[&] { listener.setSocketType(stDatagram); },
         "SocketType - Can't Assign Socket Type While Listening"},
        {[&] { client.setSocketType(stDatagram); },
         "SocketType - Can't Assign Socket Type While Connected"},
        {[&] { client.setListen(true); }, "Listen - Socket Already In Use"},
        {[&] { datagram.setListen(true); }, "Listen - Cannot Listen On A Datagram Socket"},
        {[&] { noPort.Open(); }, "Port Lookup - Could Not Find Service Entry"},
        {[&] { TSock().setListen(true); }, "Port Lookup - Could Not Find Service Entry"},
        {[&] { closed.SendDatagram("x", "127.0.0.1"); }, "SendDatagram - Socket Not Connected"},
        {[&] { client.SendDatagram("x", "127.0.0.1"); },
         "SendDatagram - Datagram Send Not Supported On Stream Sockets"},
        {[&] {
             QByteArray d;
             QString h;
             closed.ReceiveDatagram(d, h);
         },
         "ReceiveDatagram - Socket Not Connected"},
        {[&] {
             QByteArray d;
             QString h;
             client.ReceiveDatagram(d, h);
         },
         "ReceiveDatagram - Datagram Receive Not Supported On Stream Sockets"},
    };
    for (const auto& [operation, expected] : cases)
        EXPECT_EQ(messageOf(operation), expected);
    EXPECT_TRUE(client.Connected()); // none of it disturbed the connection
    EXPECT_TRUE(listener.Listen());
}

TEST_F(TSockListen, AFailedPortLookupLeavesTheListenerFreeToTryAgain) {
    TSock listener;
    EXPECT_EQ(messageOf([&] { listener.setListen(true); }),
              "Port Lookup - Could Not Find Service Entry");
    EXPECT_FALSE(listener.Listen());
    listener.setPortName("0");
    EXPECT_NO_THROW(listener.setListen(true));
    EXPECT_TRUE(listener.Listen());
}

TEST_F(TSockListen, AnInfoHandlerThatThrowsBecomesErrorHere) {
    TSock listener;
    listener.OnInfo = [](TSock*, TSocketInfo, const QString&) {
        throw std::runtime_error("x");
    };
    listener.setPortName("0");
    EXPECT_EQ(messageOf([&] { listener.setListen(true); }), "Error here");
    EXPECT_NO_THROW(listener.Close()); // closing swallows what the handler raises
}

} // namespace

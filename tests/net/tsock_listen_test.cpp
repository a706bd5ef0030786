// Listening TSocks, and the exception that guards each operation.

#include "socket_test_support.h"

#include <gtest/gtest.h>

using namespace nettest;

namespace {

std::string raised(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const ESockException& e) {
        return e.what();
    }
    return "(nothing raised)";
}

class TSockListen : public ::testing::Test {
protected:
};

TEST_F(TSockListen, StartingTwiceIsHarmlessAndStoppingOrDestroyingFreesThePort) {
    EventLog log;
    auto listener = std::make_unique<TSock>();
    log.attach(*listener);
    listener->setPortName("0");
    listener->setListen(true);
    const QString port = QString::number(listener->localPort());
    EXPECT_NO_THROW(listener->setListen(true));
    listener->setListen(false);
    EXPECT_EQ(log.entries,
              (QStringList{info(siLookUp, "Lookup Of Port 0"), info(siListen, "Listening Started"),
                           info(siListen, "Listening Already Running"),
                           info(siClose, "Socket Closed"), info(siListen, "Listening Stopped")}));
    listener->setPortName(port);
    listener->setListen(true);
    log.entries.clear();
    listener.reset();
    EXPECT_TRUE(log.entries.isEmpty()); // destroying a listener tells nothing
    TSock again;
    again.setPortName(port);
    EXPECT_NO_THROW(again.setListen(true));
}

TEST_F(TSockListen, APortHeldByAnotherListenerCannotBeBound) {
    RawSocket other = RawSocket::listener();
    TSock listener;
    listener.setPortName(QString::number(other.port()));
    EXPECT_EQ(raised([&] { listener.setListen(true); }), "Listen - Error Binding Socket");
    EXPECT_FALSE(listener.Listen());
    // The failed socket stays open: trying again is refused until Close.
    EXPECT_EQ(raised([&] { listener.setListen(true); }), "Listen - Socket Already In Use");
    listener.Close();
    listener.setPortName("0");
    EXPECT_NO_THROW(listener.setListen(true));
}

TEST_F(TSockListen, AWaitingConnectionIsAnnouncedAgainOnlyAfterAnAccept) {
    TSock listener;
    int announced = 0;
    listener.OnAccept = [&](TSock*) {
        ++announced;
    };
    listener.setPortName("0");
    listener.setListen(true);
    RawSocket first = RawSocket::connectTo(listener.localPort());
    ASSERT_TRUE(waitFor([&] { return announced == 1; }));
    settle();
    EXPECT_EQ(announced, 1);
    TSock* accepted = nullptr;
    ASSERT_TRUE(listener.Accept(accepted));
    EXPECT_TRUE(accepted->Connected());
    EXPECT_FALSE(listener.Accept(accepted)); // nobody else is waiting
    RawSocket second = RawSocket::connectTo(listener.localPort());
    EXPECT_TRUE(waitFor([&] { return announced == 2; }));
}

TEST_F(TSockListen, EachMisuseRaisesItsOwnMessage) {
    TSock closed, listener, client, datagram, noPort;
    listener.setPortName("0");
    listener.setListen(true);
    AcceptingListener acceptor;
    connectClient(client, acceptor);
    datagram.setSocketType(stDatagram);
    QByteArray data;
    QString host;
    TSock* newSock = nullptr;
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { closed.Send("x"); }, "Send - Socket Not Connected"},
        {[&] { listener.Send("x"); }, "Send - Cannot Send On A Listener Socket"},
        {[&] { closed.Receive(); }, "Receive - Socket Not Connected"},
        {[&] { listener.Receive(); }, "Receive - Cannot Receive On A Listener Socket"},
        {[&] { closed.Accept(newSock); }, "Accept - Socket Not In Listening Mode"},
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
        {[&] { closed.ReceiveDatagram(data, host); }, "ReceiveDatagram - Socket Not Connected"},
        {[&] { client.ReceiveDatagram(data, host); },
         "ReceiveDatagram - Datagram Receive Not Supported On Stream Sockets"},
    };
    for (const auto& [operation, expected] : cases)
        EXPECT_EQ(raised(operation), expected);
    EXPECT_TRUE(client.Connected()); // none of it disturbed the sockets
    EXPECT_TRUE(listener.Listen());
}

TEST_F(TSockListen, AFailedPortLookupLeavesTheListenerFreeToTryAgain) {
    TSock listener;
    EXPECT_EQ(raised([&] { listener.setListen(true); }),
              "Port Lookup - Could Not Find Service Entry");
    listener.setPortName("0");
    EXPECT_NO_THROW(listener.setListen(true));
}

TEST_F(TSockListen, AnInfoHandlerThatThrowsBecomesErrorHereExceptInClose) {
    TSock listener;
    listener.OnInfo = [](TSock*, TSocketInfo, const QString&) {
        throw std::runtime_error("x");
    };
    listener.setPortName("0");
    EXPECT_EQ(raised([&] { listener.setListen(true); }), "Error here");
    EXPECT_NO_THROW(listener.Close());
}

} // namespace

#pragma once

#include "net/hostcache.h"
#include "net/sockerrors.h"
#include "net/socket_address.h"
#include "net/tsockstream.h"
#include "net/write_queue.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <stdexcept>

class QSocketNotifier;
class QTimer;

enum TSocketType { stStream = 0, stDatagram = 1 };
enum TLineBreak { lbCRLF = 0, lbCR = 1, lbLF = 2, lbSmart = 3 };
enum TSocketInfo {
    siLookUp = 0,
    siConnect = 1,
    siClose = 2,
    siListen = 3,
    siRecv = 4,
    siSend = 5,
    siAccept = 6,
    siError = 7
};

class ESockException : public std::runtime_error {
public:
    using runtime_error::runtime_error;
};

// One socket as properties, operations and events. Non-blocking sockets get
// their events from the event loop of the thread that created them. A stream
// socket speaks IPv4 and IPv6: it connects to each address of its host in
// turn, and a listener without a HostName takes both families; datagrams
// are IPv4.
class TSock : public QObject {
public:
    explicit TSock(QObject* owner = nullptr); // accepted sockets are owned by their listener
    ~TSock() override;                        // closes a listening or connected socket first

    TSocketType SocketType() const { return socketType; }
    void setSocketType(TSocketType value);
    QString HostName() const { return hostName; } // a listener binds to it when set
    void setHostName(const QString& value);
    QString PortName() const { return portName; }
    void setPortName(const QString& value);
    bool Blocking() const { return blocking; }
    void setBlocking(bool value);
    bool AutoAccept() const { return autoAccept; }
    void setAutoAccept(bool value) { autoAccept = value; }
    bool Listen() const { return listening; }
    void setListen(bool value);
    TLineBreak LineBreak() const { return lineBreak; } // stored only: bytes pass unchanged
    void setLineBreak(TLineBreak value) { lineBreak = value; }
    int BlockingTimeout() const { return blockingTimeout; } // seconds; negative: no limit
    void setBlockingTimeout(int value) { blockingTimeout = value; }
    int tag() const { return tagValue; }
    void setTag(int value) { tagValue = value; }
    bool Connected() const { return connected; }
    quint16 localPort() const; // the bound port (PortName "0" binds any free one); 0 if none
    int SocketHandle() const { return fd; } // the platform socket; -1 when none is open
    TSockStream* stream() { return &byteStream; }

    // Plain callbacks, so that handlers can be copied from one socket to another.
    std::function<void(TSock*sender)> OnConnect, OnDisconnect, OnWrite, OnAccept;
    std::function<void(TSock* sender, TSocketInfo info, const QString& msg)> OnInfo;
    std::function<void(TSock* sender, int count)> OnRead;
    std::function<void(TSock* sender, TSock* newSock)> OnAutoAccept;

    bool Open();
    bool Close();
    bool Send(const QByteArray& data);
    QByteArray Receive() { return ReceiveCount(-1); }
    QByteArray ReceiveCount(int limit);
    bool Accept(TSock*& NewSock);
    quint32 HostLookup(const QString& name); // its IPv4 address, host byte order
    // Every address of the host, IPv6 and IPv4, in the order to try them.
    hostcache::Addresses HostAddresses(const QString& name);
    quint16 PortLookup(const QString& name);
    bool SendDatagram(const QByteArray& data, const QString& host);
    void ReceiveDatagram(QByteArray& data, QString& host);

    static constexpr int kScratchSize = 32768; // one platform read never takes more
    // An address of a host that has others left gets this long to answer
    // before the next is tried: one that never answers (a family whose
    // route goes nowhere) costs a moment, not the system's minutes. Long
    // enough for one lost first packet to be sent again.
    static constexpr int kAddressAttemptMs = 2000;

private:
    friend class TSockStream;
    // A callback may close or delete this socket: code that runs on after a call
    // out checks this first.
    class Guard;

    void report(TSocketInfo info, const QString& msg);
    // Reports kind 1 and calls OnConnect; false once a handler has closed the socket.
    bool announceConnected(const char* msg);

    // Platform socket and notifications (tsock_events.cpp).
    bool openSocket(int type, int family);
    void attachSocket(int newFd);
    bool moveToAddress(const SocketAddress& next);
    bool tryNextAddress();
    void limitAttempt();
    void releaseNotifiers();
    void releaseSocket();
    void applyBlocking();
    void updateNotifiers();
    void startConnect();
    int sendQueued(); // one non-blocking send of the queue; a hard error's code, else 0
    void failNotifications(int wsaCode);
    void failLater(int wsaCode); // failNotifications, from the event loop
    void onReadable();
    void onStreamReadable();
    void onDatagramReadable();
    void onPeerClosed();
    void onWritable();
    void writableNotification();

    // Blocking mode (tsock.cpp).
    bool connectBlocking();
    void sendBlocking();
    QByteArray receiveBlocking(int readSize);
    void receiveOnce(int readSize);

    // Listening (tsock_listen.cpp).
    void startListening();
    bool openListener(SocketAddress& local);
    int takeConnection(SocketAddress& peer);
    TSock* adoptAccepted(int acceptedFd, const SocketAddress& peer);
    void onIncomingConnection();

    bool bindDatagram(); // tsock_datagram.cpp

    TSocketType socketType = stStream;
    QString hostName;
    QString portName;
    bool blocking = false;
    bool autoAccept = false;
    bool listening = false;
    TLineBreak lineBreak = lbSmart;
    int blockingTimeout = 0;
    int tagValue = 0;

    int fd = -1;
    quint64 generation = 0; // counts the platform sockets this object has had
    bool connected = false;
    bool connecting = false;
    bool notificationsFailed = false; // an error arrived: no further events, as on Windows
    bool readPaused = false;          // waits for Accept / ReceiveDatagram, as on Windows
    int acceptsTaken = 0;
    QByteArray incoming;
    WriteQueue outgoing;
    QByteArray scratch;
    SocketAddress peerAddress;           // for connecting, binding and datagram sends
    QList<SocketAddress> addressesLeft_; // of the host being connected to, in turn
    QTimer* attemptLimit_ = nullptr;     // made at the first host with several addresses
    QSocketNotifier* readNotifier = nullptr;
    QSocketNotifier* writeNotifier = nullptr;
    TSockStream byteStream;
};

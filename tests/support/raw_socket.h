#pragma once

// A plain socket on loopback (127.0.0.1, ephemeral ports) for a test that
// plays the other end by hand: a client, a listener, or a bound socket that
// refuses connections. It never blocks the test: waiting runs the event
// loop, so that sockets and timers in the same process keep working.

#include <QByteArray>
#include <QtGlobal>
#include <utility>

namespace testsupport {

class RawSocket {
public:
    explicit RawSocket(int fd = -1) : fd(fd) {}
    RawSocket(RawSocket&& other) noexcept : fd(std::exchange(other.fd, -1)) {}
    ~RawSocket() { close(); }
    static RawSocket bound();    // bound, not listening: connections are refused
    static RawSocket listener(); // bound and listening
    // Throws std::runtime_error when nobody listens on port. ipv4: another
    // host, in host order (only ever one inside a namespace the test made).
    static RawSocket connectTo(quint16 port, quint32 ipv4 = kLoopback);
    static constexpr quint32 kLoopback = 0x7F000001;

    bool isOpen() const { return fd >= 0; }
    quint16 port() const;
    RawSocket accept(); // a connection of this listener
    // Sends every byte; false when the peer has gone before it took them all.
    bool sendAll(const QByteArray& bytes);
    // Appends what has arrived, without waiting; false once the peer has
    // closed the connection or it failed.
    bool receiveAvailable(QByteArray& into);
    // Reads until count bytes came, the peer closed, or ten seconds passed.
    QByteArray readExactly(qsizetype count);
    void close();
    void reset(); // closes with SO_LINGER 0: the other side sees a reset

private:
    int fd;
};

} // namespace testsupport

#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// What the link needs of its connection to the host. Each way a connection
// ends is an event of its own, so nobody reads an error's text to learn
// why. The window's socket is TSockHostSocket; the link's tests use a fake.
class HostSocket {
public:
    struct Events {
        std::function<void()> connected;
        std::function<void(const QByteArray& bytes)> received;
        std::function<void()> closedByPeer; // the host ended the connection
        // Refused, reset, silent too long, or a write that failed or passed
        // the bound of what may wait for the host.
        std::function<void()> failed;
    };
    virtual ~HostSocket() = default;

    virtual void setEvents(Events events) = 0;
    // Starts connecting; false when the address names no host.
    virtual bool open(const QString& host, const QString& port) = 0;
    // Closes at once; no event tells of it.
    virtual void close() = 0;
    virtual bool connected() const = 0;
    // Only while connected.
    virtual void send(const QByteArray& bytes) = 0;
};

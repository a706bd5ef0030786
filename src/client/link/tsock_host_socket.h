#pragma once

#include "client/link/host_socket.h"
#include "net/tsock.h"

// The link's connection over TSock. The system watches it for a host that
// went without a word (link_watch.h), which then comes as a failure.
class TSockHostSocket : public HostSocket {
public:
    TSockHostSocket();
    ~TSockHostSocket() override;

    void setEvents(Events events) override { events_ = std::move(events); }
    bool open(const QString& host, const QString& port) override;
    void close() override;
    bool connected() const override { return sock_.Connected(); }
    void send(const QByteArray& bytes) override { sock_.Send(bytes); }

    const TSock& tsock() const { return sock_; }

private:
    TSock sock_;
    Events events_;
};

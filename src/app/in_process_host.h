#pragma once

#include "app/local_host.h"
#include "host/tserver.h"

#include <memory>

// A TServer made for each table this copy hosts and dropped when it ends: a
// new table starts from empty seats and no game, and dropping the old one
// closes every connection it had.
class InProcessHost : public LocalHost {
public:
    explicit InProcessHost(const HostOptions& options) : options_(options) {}

    quint16 open(const QString& portName, HostReach reach) override;
    void close() override { server_.reset(); }
    bool isOpen() const override { return server_ != nullptr; }

    // The host of the current table; null while this copy hosts none.
    TServer* server() { return server_.get(); }

private:
    const HostOptions& options_;
    std::unique_ptr<TServer> server_;
};

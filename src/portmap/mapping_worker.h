#pragma once

#include "portmap/gateway.h"

#include <QObject>
#include <functional>
#include <memory>

// The gateway libraries block, so their calls run here, on the one worker
// thread this object lives on, and each answer goes back as a queued signal.
// It keeps the gateway that made the forward, to renew and remove it.
class MappingWorker : public QObject {
    Q_OBJECT
public:
    using GatewayFactory = std::function<std::unique_ptr<portmap::Gateway>(portmap::Route)>;

    explicit MappingWorker(GatewayFactory makeGateway) : makeGateway_(std::move(makeGateway)) {}

    // Each runs on the worker thread; ask names the request the answer is for.
    // ipv6: this computer's global IPv6 address, for a pinhole; null for none.
    void map(quint16 port, int leaseSeconds, int ask, const QHostAddress& ipv6 = {});
    // Renews what held holds (its forward, its pinhole), and removes it.
    void renew(const portmap::Result& held, int leaseSeconds, int ask);
    void remove(const portmap::Result& held);

signals:
    void answered(const portmap::Result& result, int ask);

private:
    portmap::Gateway* gatewayOf(portmap::Route route);

    GatewayFactory makeGateway_;
    std::unique_ptr<portmap::Gateway> natPmp_;
    std::unique_ptr<portmap::Gateway> upnp_;
    std::unique_ptr<portmap::Gateway> pinholes_;
};

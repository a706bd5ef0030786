#pragma once

#include "portmap/gateway.h"

#include <QByteArray>
#include <miniupnpc/miniupnpc.h>

// UPnP IGD through libminiupnpc: discovery by multicast within kDiscoverMs,
// then the device's control calls (the library bounds each with its own
// connect and receive limits).
class UpnpGateway : public portmap::Gateway {
public:
    // Routers answer discovery in well under a second; two covers a busy one.
    static constexpr int kDiscoverMs = 2000;

    // description: the forward's name in the router's list. overIpv6: search
    // and speak over IPv6, so that the router sees the address a pinhole is for.
    explicit UpnpGateway(QByteArray description, bool overIpv6 = false)
        : description_(std::move(description)), overIpv6_(overIpv6) {}
    ~UpnpGateway() override;
    UpnpGateway(const UpnpGateway&) = delete;
    UpnpGateway& operator=(const UpnpGateway&) = delete;

    bool find() override;
    QHostAddress externalAddress() override;
    portmap::AddReply add(quint16 internalPort, quint16 externalPort, int leaseSeconds) override;
    void remove(const portmap::Mapping& mapping) override;
    bool pinholesOffered() override;
    portmap::PinholeReply addPinhole(const QHostAddress& address, quint16 port,
                                     int leaseSeconds) override;
    int updatePinhole(int id, int leaseSeconds) override;
    void deletePinhole(int id) override;

private:
    QByteArray description_;
    bool overIpv6_;
    UPNPUrls urls_{};
    IGDdatas data_{};
    bool found_ = false;
    bool connected_ = false;
    char lanAddress_[64] = {};
};

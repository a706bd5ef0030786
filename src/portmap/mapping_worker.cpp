#include "portmap/mapping_worker.h"

#include "portmap/mapping_attempt.h"

void MappingWorker::map(quint16 port, int leaseSeconds, int ask, const QHostAddress& ipv6) {
    // A new table asks afresh: the network may have changed since the last.
    natPmp_ = makeGateway_(portmap::Route::NatPmp);
    upnp_ = makeGateway_(portmap::Route::Upnp);
    pinholes_ = makeGateway_(portmap::Route::UpnpOverIpv6);
    portmap::Result result = portmap::mapEitherWay(*natPmp_, *upnp_, port, leaseSeconds);
    // Only UPnP IGDv2 opens IPv6 here (the NAT-PMP library speaks no PCP).
    result.pinhole = portmap::openPinhole(*pinholes_, ipv6, port, leaseSeconds);
    emit answered(result, ask);
}

void MappingWorker::renew(const portmap::Result& held, int leaseSeconds, int ask) {
    portmap::Result renewed = held;
    if (portmap::Gateway* gateway = gatewayOf(held.mapping.route);
        gateway && held.outcome == portmap::Outcome::Mapped)
        renewed = portmap::renew(*gateway, held.mapping, leaseSeconds);
    renewed.pinhole =
        pinholes_ ? portmap::renewPinhole(*pinholes_, held.pinhole, leaseSeconds) : held.pinhole;
    emit answered(renewed, ask);
}

void MappingWorker::remove(const portmap::Result& held) {
    if (portmap::Gateway* gateway = gatewayOf(held.mapping.route);
        gateway && held.outcome == portmap::Outcome::Mapped)
        gateway->remove(held.mapping);
    if (pinholes_ && held.pinhole.outcome == portmap::PinholeOutcome::Opened)
        pinholes_->deletePinhole(held.pinhole.id);
}

portmap::Gateway* MappingWorker::gatewayOf(portmap::Route route) {
    switch (route) {
    case portmap::Route::NatPmp:
        return natPmp_.get();
    case portmap::Route::Upnp:
        return upnp_.get();
    case portmap::Route::UpnpOverIpv6:
        return pinholes_.get();
    }
    return nullptr;
}

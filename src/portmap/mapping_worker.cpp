#include "portmap/mapping_worker.h"

#include "portmap/mapping_attempt.h"

void MappingWorker::map(quint16 port, int leaseSeconds, int ask, const QHostAddress& ipv6) {
    // A new table asks afresh: the network may have changed since the last.
    natPmp_ = makeGateway_(portmap::Route::NatPmp);
    upnp_ = makeGateway_(portmap::Route::Upnp);
    portmap::Result result = portmap::mapEitherWay(*natPmp_, *upnp_, port, leaseSeconds);
    // Only UPnP IGDv2 opens IPv6 here (the NAT-PMP library speaks no PCP).
    result.pinhole = portmap::openPinhole(*upnp_, ipv6, port, leaseSeconds);
    emit answered(result, ask);
}

void MappingWorker::renew(const portmap::Result& held, int leaseSeconds, int ask) {
    portmap::Result renewed = held;
    if (portmap::Gateway* gateway = gatewayOf(held.mapping.route);
        gateway && held.outcome == portmap::Outcome::Mapped)
        renewed = portmap::renew(*gateway, held.mapping, leaseSeconds);
    renewed.pinhole =
        upnp_ ? portmap::renewPinhole(*upnp_, held.pinhole, leaseSeconds) : held.pinhole;
    emit answered(renewed, ask);
}

void MappingWorker::remove(const portmap::Result& held) {
    if (portmap::Gateway* gateway = gatewayOf(held.mapping.route);
        gateway && held.outcome == portmap::Outcome::Mapped)
        gateway->remove(held.mapping);
    if (upnp_ && held.pinhole.outcome == portmap::PinholeOutcome::Opened)
        upnp_->deletePinhole(held.pinhole.id);
}

portmap::Gateway* MappingWorker::gatewayOf(portmap::Route route) {
    return (route == portmap::Route::NatPmp ? natPmp_ : upnp_).get();
}

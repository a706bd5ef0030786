#include "portmap/mapping_worker.h"

#include "portmap/mapping_attempt.h"

void MappingWorker::map(quint16 port, int leaseSeconds, int ask) {
    // A new table asks afresh: the network may have changed since the last.
    natPmp_ = makeGateway_(portmap::Route::NatPmp);
    upnp_ = makeGateway_(portmap::Route::Upnp);
    emit answered(portmap::mapEitherWay(*natPmp_, *upnp_, port, leaseSeconds), ask);
}

void MappingWorker::renew(const portmap::Mapping& mapping, int leaseSeconds, int ask) {
    if (portmap::Gateway* gateway = gatewayOf(mapping.route))
        emit answered(portmap::renew(*gateway, mapping, leaseSeconds), ask);
}

void MappingWorker::remove(const portmap::Mapping& mapping) {
    if (portmap::Gateway* gateway = gatewayOf(mapping.route))
        gateway->remove(mapping);
}

portmap::Gateway* MappingWorker::gatewayOf(portmap::Route route) {
    return (route == portmap::Route::NatPmp ? natPmp_ : upnp_).get();
}

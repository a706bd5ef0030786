#include "portmap/mapping_attempt.h"

namespace portmap {

namespace {

AddReply addWithAnyLease(Gateway& gateway, quint16 internalPort, quint16 externalPort,
                         int leaseSeconds) {
    AddReply reply = gateway.add(internalPort, externalPort, leaseSeconds);
    // Many routers refuse every finite lease; the forward is then removed
    // when the table closes instead of when the lease ends.
    if (reply.code == kOnlyPermanentLeasesSupported && leaseSeconds != 0)
        reply = gateway.add(internalPort, externalPort, 0);
    return reply;
}

} // namespace

Result mapThrough(Gateway& gateway, Route route, quint16 internalPort, int leaseSeconds) {
    Result result;
    result.mapping.internalPort = internalPort;
    if (!gateway.find())
        return result;
    result.external = gateway.externalAddress();
    for (int step = 0; step < kPortsTried && internalPort + step <= 0xFFFF; ++step) {
        const auto wanted = static_cast<quint16>(internalPort + step);
        const AddReply reply = addWithAnyLease(gateway, internalPort, wanted, leaseSeconds);
        if (reply.code == 0) {
            result.outcome = Outcome::Mapped;
            result.mapping = {route, internalPort, reply.externalPort ? reply.externalPort : wanted,
                              reply.leaseSeconds};
            return result;
        }
        if (reply.code != kConflictInMappingEntry) {
            result.outcome = Outcome::Refused;
            result.code = reply.code;
            return result;
        }
    }
    result.outcome = Outcome::PortTaken;
    return result;
}

Result mapEitherWay(Gateway& natPmp, Gateway& upnp, quint16 internalPort, int leaseSeconds) {
    const Result fast = mapThrough(natPmp, Route::NatPmp, internalPort, leaseSeconds);
    if (fast.outcome == Outcome::Mapped)
        return fast;
    const Result slow = mapThrough(upnp, Route::Upnp, internalPort, leaseSeconds);
    return slow.outcome == Outcome::NoGateway ? fast : slow;
}

Result renew(Gateway& gateway, const Mapping& mapping, int leaseSeconds) {
    Result result;
    result.external = gateway.externalAddress();
    const AddReply reply = addWithAnyLease(gateway, mapping.internalPort, mapping.externalPort,
                                           mapping.leaseSeconds == 0 ? 0 : leaseSeconds);
    result.mapping = mapping;
    if (reply.code != 0 ||
        (reply.externalPort != 0 && reply.externalPort != mapping.externalPort)) {
        result.outcome = Outcome::Lost;
        result.code = reply.code;
        return result;
    }
    result.outcome = Outcome::Mapped;
    result.mapping.leaseSeconds = reply.leaseSeconds;
    return result;
}

Pinhole openPinhole(Gateway& gateway, const QHostAddress& address, quint16 port, int leaseSeconds) {
    Pinhole pinhole{.address = address, .port = port};
    if (address.protocol() != QAbstractSocket::IPv6Protocol)
        return pinhole;
    pinhole.outcome = PinholeOutcome::NotOffered;
    if (!gateway.find() || !gateway.pinholesOffered())
        return pinhole;
    const PinholeReply reply = gateway.addPinhole(address, port, leaseSeconds);
    pinhole.code = reply.code;
    if (reply.code != 0) {
        pinhole.outcome = PinholeOutcome::Refused;
        return pinhole;
    }
    pinhole.outcome = PinholeOutcome::Opened;
    pinhole.id = reply.id;
    pinhole.leaseSeconds = leaseSeconds;
    return pinhole;
}

Pinhole renewPinhole(Gateway& gateway, const Pinhole& pinhole, int leaseSeconds) {
    if (pinhole.outcome != PinholeOutcome::Opened)
        return pinhole;
    Pinhole renewed = pinhole;
    renewed.code = gateway.updatePinhole(pinhole.id, leaseSeconds);
    renewed.outcome = renewed.code == 0 ? PinholeOutcome::Opened : PinholeOutcome::Lost;
    return renewed;
}

} // namespace portmap

#pragma once

#include "portmap/gateway.h"

// The decisions of one request to a gateway, apart from any network: which
// port to ask, and what to do when a lease or a port is refused.
namespace portmap {

// Ports tried from the game port upwards when the gateway forwards it to
// another computer already (another player's table on the same network).
inline constexpr int kPortsTried = 4;

// Finds the gateway and asks it to forward a port to internalPort for
// leaseSeconds; a gateway that takes only permanent leases is asked for one.
Result mapThrough(Gateway& gateway, Route route, quint16 internalPort, int leaseSeconds);

// NAT-PMP first; UPnP when NAT-PMP made nothing. The result that says most:
// a gateway's answer over silence.
Result mapEitherWay(Gateway& natPmp, Gateway& upnp, quint16 internalPort, int leaseSeconds);

// Asks again for the same forward (a renewal): Mapped, or Lost.
Result renew(Gateway& gateway, const Mapping& mapping, int leaseSeconds);

// Asks the gateway (found here if not yet) for an IPv6 pinhole to address,
// port; NotAsked without an address, so a computer without global IPv6
// costs no search.
Pinhole openPinhole(Gateway& gateway, const QHostAddress& address, quint16 port, int leaseSeconds);

// Extends an opened pinhole: Opened, or Lost. Anything else is kept as it is.
Pinhole renewPinhole(Gateway& gateway, const Pinhole& pinhole, int leaseSeconds);

} // namespace portmap

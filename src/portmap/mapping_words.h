#pragma once

#include "portmap/mapping_result.h"

#include <QString>

// The chat's system lines about the router. Nothing the gateway sends is
// shown as text: only an address that parsed as IPv4, and numbers.
namespace mappingwords {

// While the gateway is asked.
QString asking(quint16 port);
// The result of asking. lanAddress: this computer's best address on its own
// network, for the advice to forward the port by hand (may be empty).
QString result(const portmap::Result& result, const QString& lanAddress);

// The IPv6 pinhole's line for result (empty when none was asked); calm when
// the IPv4 forward works, since friends then join that way.
QString pinhole(const portmap::Result& result);

// Where friends on the internet can join.
QString reachableAt(const portmap::InternetAddress& internet);

} // namespace mappingwords

#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

// Name resolution for TSock. Addresses are IPv4 in host byte order.
namespace hostcache {

// The process-wide cache: names compare without letter case; entries stay until
// the process ends (or a test clears them).
std::optional<quint32> find(const QString& name);
void insert(const QString& name, quint32 address);
void clear();

// Asks the resolver for the first IPv4 address of name.
std::optional<quint32> resolve(const QString& name);
// How often resolve() has been asked, so tests can see the cache work.
int resolverCalls();

// Replaces the platform resolver (an empty function restores it), so that tests
// need no name server.
using Resolver = std::function<std::optional<quint32>(const QString& name)>;
void setResolver(Resolver resolver);

// The port of a service name in the platform's service database.
std::optional<quint16> servicePort(const QString& name, bool datagram);

} // namespace hostcache

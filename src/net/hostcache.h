#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

// Name resolution for TSock: every address a name has, IPv6 and IPv4.
namespace hostcache {

using Addresses = QList<QHostAddress>;

// A name with more addresses than this is tried at its first ones only, so
// that a host that answers nowhere costs a bounded time.
inline constexpr int kMaxAddresses = 8;

// The process-wide cache: names compare without letter case; entries stay until
// the process ends (or a test clears them).
std::optional<Addresses> find(const QString& name);
void insert(const QString& name, const Addresses& addresses);
void clear();

// Asks the resolver for the addresses of name, in the order to try them:
// the families take turns (see interleaved), at most kMaxAddresses.
Addresses resolve(const QString& name);
// How often resolve() has been asked, so tests can see the cache work.
int resolverCalls();

// The resolver's preference kept within each family, the families taking
// turns from the one it put first: when one family does not answer at all,
// the other's first address is the second tried, not the last.
Addresses interleaved(const Addresses& preferred);

// Replaces the platform resolver (an empty function restores it), so that tests
// need no name server.
using Resolver = std::function<Addresses(const QString& name)>;
void setResolver(Resolver resolver);

// The port of a service name in the platform's service database.
std::optional<quint16> servicePort(const QString& name, bool datagram);

} // namespace hostcache

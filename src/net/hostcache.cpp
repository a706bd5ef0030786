#include "net/hostcache.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <algorithm>
#include <atomic>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace hostcache {
namespace {

QMutex cacheMutex;
std::atomic<int> resolverCallCount{0};
Resolver replacementResolver;

// In the system's order of preference (its address selection rules). A
// family this computer cannot reach fails at once when tried, so none is left out.
Addresses platformResolve(const QString& name) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* answer = nullptr;
    if (getaddrinfo(name.toUtf8().constData(), nullptr, &hints, &answer) != 0)
        return {};
    Addresses found;
    for (const addrinfo* entry = answer; entry; entry = entry->ai_next) {
        QHostAddress address(entry->ai_addr);
        if (!address.isNull() && !found.contains(address))
            found.append(address);
    }
    freeaddrinfo(answer);
    return found;
}

QHash<QString, Addresses>& cache() {
    static QHash<QString, Addresses> entries;
    return entries;
}

} // namespace

std::optional<Addresses> find(const QString& name) {
    QMutexLocker lock(&cacheMutex);
    const auto found = cache().constFind(name.toCaseFolded());
    if (found == cache().constEnd())
        return std::nullopt;
    return found.value();
}

void insert(const QString& name, const Addresses& addresses) {
    QMutexLocker lock(&cacheMutex);
    cache().insert(name.toCaseFolded(), addresses);
}

void clear() {
    QMutexLocker lock(&cacheMutex);
    cache().clear();
}

Addresses resolve(const QString& name) {
    ++resolverCallCount;
    return interleaved(replacementResolver ? replacementResolver(name) : platformResolve(name))
        .mid(0, kMaxAddresses);
}

Addresses interleaved(const Addresses& preferred) {
    if (preferred.isEmpty())
        return {};
    const auto firstFamily = preferred.first().protocol();
    Addresses first;
    Addresses other;
    for (const QHostAddress& address : preferred)
        (address.protocol() == firstFamily ? first : other).append(address);
    Addresses turns;
    for (qsizetype i = 0; i < std::max(first.size(), other.size()); ++i) {
        if (i < first.size())
            turns.append(first[i]);
        if (i < other.size())
            turns.append(other[i]);
    }
    return turns;
}

void setResolver(Resolver resolver) {
    replacementResolver = std::move(resolver);
}

int resolverCalls() {
    return resolverCallCount;
}

std::optional<quint16> servicePort(const QString& name, bool datagram) {
    if (name.isEmpty())
        return std::nullopt;
    servent entry{};
    servent* found = nullptr;
    char buffer[1024];
    const QByteArray service = name.toLocal8Bit();
    if (getservbyname_r(service.constData(), datagram ? "udp" : "tcp", &entry, buffer,
                        sizeof buffer, &found) != 0 ||
        !found)
        return std::nullopt;
    return ntohs(quint16(found->s_port));
}

} // namespace hostcache

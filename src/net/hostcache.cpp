#include "net/hostcache.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <atomic>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace hostcache {
namespace {

QMutex cacheMutex;
std::atomic<int> resolverCallCount{0};
Resolver replacementResolver;

std::optional<quint32> platformResolve(const QString& name) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* answer = nullptr;
    if (getaddrinfo(name.toUtf8().constData(), nullptr, &hints, &answer) != 0 || !answer)
        return std::nullopt;
    const auto* address = reinterpret_cast<const sockaddr_in*>(answer->ai_addr);
    const quint32 result = ntohl(address->sin_addr.s_addr);
    freeaddrinfo(answer);
    return result;
}

QHash<QString, quint32>& cache() {
    static QHash<QString, quint32> entries;
    return entries;
}

} // namespace

std::optional<quint32> find(const QString& name) {
    QMutexLocker lock(&cacheMutex);
    const auto found = cache().constFind(name.toCaseFolded());
    if (found == cache().constEnd())
        return std::nullopt;
    return found.value();
}

void insert(const QString& name, quint32 address) {
    QMutexLocker lock(&cacheMutex);
    cache().insert(name.toCaseFolded(), address);
}

void clear() {
    QMutexLocker lock(&cacheMutex);
    cache().clear();
}

std::optional<quint32> resolve(const QString& name) {
    ++resolverCallCount;
    return replacementResolver ? replacementResolver(name) : platformResolve(name);
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

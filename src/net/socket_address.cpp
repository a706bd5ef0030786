#include "net/socket_address.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cstring>
#include <net/if.h>
#include <netinet/in.h>

namespace {

// A zone is an interface's name or its number.
std::optional<quint32> zoneIndex(const QString& zone) {
    if (zone.isEmpty())
        return 0;
    bool numeric = false;
    const uint number = zone.toUInt(&numeric);
    if (numeric)
        return number;
    const uint index = if_nametoindex(zone.toLatin1().constData());
    return index != 0 ? std::optional<quint32>(index) : std::nullopt;
}

} // namespace

SocketAddress SocketAddress::ipv4(quint32 hostOrderAddress, quint16 port) {
    SocketAddress address;
    auto* in = reinterpret_cast<sockaddr_in*>(&address.storage_);
    in->sin_family = AF_INET;
    in->sin_port = htons(port);
    in->sin_addr.s_addr = htonl(hostOrderAddress);
    address.length_ = sizeof(sockaddr_in);
    return address;
}

SocketAddress SocketAddress::anyIpv6(quint16 port) {
    SocketAddress address;
    auto* in6 = reinterpret_cast<sockaddr_in6*>(&address.storage_);
    in6->sin6_family = AF_INET6;
    in6->sin6_port = htons(port);
    in6->sin6_addr = in6addr_any;
    address.length_ = sizeof(sockaddr_in6);
    return address;
}

std::optional<SocketAddress> SocketAddress::of(const QHostAddress& host, quint16 port) {
    if (host.protocol() == QAbstractSocket::IPv4Protocol)
        return ipv4(host.toIPv4Address(), port);
    if (host.protocol() != QAbstractSocket::IPv6Protocol)
        return std::nullopt;
    const std::optional<quint32> zone = zoneIndex(host.scopeId());
    if (!zone)
        return std::nullopt;
    SocketAddress address = anyIpv6(port);
    auto* in6 = reinterpret_cast<sockaddr_in6*>(&address.storage_);
    const Q_IPV6ADDR bytes = host.toIPv6Address();
    std::memcpy(&in6->sin6_addr, bytes.c, sizeof bytes.c);
    in6->sin6_scope_id = *zone;
    return address;
}

SocketAddress SocketAddress::fromPlatform(const sockaddr_storage& storage, socklen_t length) {
    SocketAddress address;
    address.storage_ = storage;
    address.length_ = std::min<socklen_t>(length, sizeof storage);
    return address;
}

quint16 SocketAddress::port() const {
    if (family() == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in*>(&storage_)->sin_port);
    if (family() == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6*>(&storage_)->sin6_port);
    return 0;
}

QString SocketAddress::host() const {
    char text[INET6_ADDRSTRLEN] = {};
    if (family() == AF_INET) {
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(&storage_)->sin_addr, text,
                  sizeof text);
        return QString::fromLatin1(text);
    }
    if (family() != AF_INET6)
        return {};
    const auto* in6 = reinterpret_cast<const sockaddr_in6*>(&storage_);
    if (IN6_IS_ADDR_V4MAPPED(&in6->sin6_addr)) {
        inet_ntop(AF_INET, &in6->sin6_addr.s6_addr[12], text, sizeof text);
        return QString::fromLatin1(text);
    }
    inet_ntop(AF_INET6, &in6->sin6_addr, text, sizeof text);
    QString shown = QString::fromLatin1(text);
    if (in6->sin6_scope_id != 0) {
        char name[IF_NAMESIZE] = {};
        shown +=
            u'%' + (if_indextoname(in6->sin6_scope_id, name) ? QString::fromLatin1(name)
                                                             : QString::number(in6->sin6_scope_id));
    }
    return shown;
}

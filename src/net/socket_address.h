#pragma once

#include <QHostAddress>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <sys/socket.h>

// An IPv4 or IPv6 address with a port, as the platform's socket calls take it.
class SocketAddress {
public:
    SocketAddress() = default;
    static SocketAddress ipv4(quint32 hostOrderAddress, quint16 port);
    // Every address of both families (a dual-stack listener).
    static SocketAddress anyIpv6(quint16 port);
    // An IPv6 address keeps its zone ("fe80::1%eth0"); empty when the zone
    // names no interface here.
    static std::optional<SocketAddress> of(const QHostAddress& host, quint16 port);
    // What accept, recvfrom or getsockname filled in.
    static SocketAddress fromPlatform(const sockaddr_storage& storage, socklen_t length);

    int family() const { return storage_.ss_family; }
    bool isSet() const { return length_ > 0; }
    quint16 port() const;
    // Dotted IPv4, or IPv6 without brackets; an IPv4 peer of a dual-stack
    // listener reads as the IPv4 address it is.
    QString host() const;

    const sockaddr* raw() const { return reinterpret_cast<const sockaddr*>(&storage_); }
    socklen_t length() const { return length_; }

private:
    sockaddr_storage storage_{};
    socklen_t length_ = 0;
};

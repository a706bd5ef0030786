#include "net/address_scope.h"

#include <QList>
#include <algorithm>
#include <utility>

namespace addressscope {

namespace {

using Subnet = std::pair<QHostAddress, int>;

bool inAny(const QHostAddress& address, const QList<Subnet>& ranges) {
    return std::any_of(ranges.begin(), ranges.end(),
                       [&address](const Subnet& range) { return address.isInSubnet(range); });
}

const QList<Subnet>& privateLan() {
    static const QList<Subnet> kRanges = {
        QHostAddress::parseSubnet("10.0.0.0/8"),
        QHostAddress::parseSubnet("172.16.0.0/12"),
        QHostAddress::parseSubnet("192.168.0.0/16"),
    };
    return kRanges;
}

} // namespace

bool isPrivateLan(const QHostAddress& address) {
    return inAny(address, privateLan());
}

bool isGlobalIpv6(const QHostAddress& address) {
    static const Subnet kGlobal = QHostAddress::parseSubnet("2000::/3");
    return address.protocol() == QAbstractSocket::IPv6Protocol && address.isInSubnet(kGlobal);
}

bool reachableFromInternet(const QHostAddress& address) {
    static const QList<Subnet> kElsewhereUnreachable = {
        QHostAddress::parseSubnet("0.0.0.0/8"),   QHostAddress::parseSubnet("100.64.0.0/10"),
        QHostAddress::parseSubnet("127.0.0.0/8"), QHostAddress::parseSubnet("169.254.0.0/16"),
        QHostAddress::parseSubnet("224.0.0.0/3"),
    };
    return address.protocol() == QAbstractSocket::IPv4Protocol && !isPrivateLan(address) &&
           !inAny(address, kElsewhereUnreachable);
}

} // namespace addressscope

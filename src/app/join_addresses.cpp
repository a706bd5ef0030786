#include "app/join_addresses.h"

#include "net/address_scope.h"
#include "net/table_address.h"

#include <QNetworkInterface>
#include <algorithm>

namespace joinaddresses {

using addressscope::isGlobalIpv6;
using addressscope::isPrivateLan;

QList<QHostAddress> ordered(const QList<QHostAddress>& all) {
    QList<QHostAddress> lan;
    QList<QHostAddress> other;
    QList<QHostAddress> ipv6;
    for (const QHostAddress& address : all) {
        if (lan.contains(address) || other.contains(address) || ipv6.contains(address))
            continue;
        if (isGlobalIpv6(address))
            ipv6.append(address);
        else if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback() &&
                 !address.isLinkLocal())
            (isPrivateLan(address) ? lan : other).append(address);
    }
    return lan + other + ipv6;
}

QHostAddress globalIpv6(const QList<QHostAddress>& addresses) {
    const auto global = std::find_if(addresses.begin(), addresses.end(), isGlobalIpv6);
    return global == addresses.end() ? QHostAddress() : *global;
}

QHostAddress forLink(const QList<QHostAddress>& addresses) {
    if (addresses.isEmpty())
        return QHostAddress(QHostAddress::LocalHost);
    const QHostAddress global = globalIpv6(addresses);
    if (!global.isNull() && isPrivateLan(addresses.first()))
        return global;
    return addresses.first();
}

QList<QHostAddress> ofThisComputer() {
    QList<QHostAddress> all;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning))
            continue;
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            if (!entry.isTemporary())
                all.append(entry.ip());
        }
    }
    return ordered(all);
}

QString inviteLink(const QList<QHostAddress>& addresses, quint16 port,
                   const std::optional<portmap::InternetAddress>& internet) {
    if (internet)
        return TableAddress{internet->address.toString(), internet->port}.link();
    return TableAddress{forLink(addresses).toString(), port}.link();
}

QString line(const QList<QHostAddress>& addresses, quint16 port) {
    if (addresses.isEmpty()) {
        return QString("0+This computer has no network address besides 127.0.0.1, so only players "
                       "on this computer can join, at 127.0.0.1 port %1.")
            .arg(port);
    }
    QStringList shown;
    for (const QHostAddress& address : addresses)
        shown.append(address.toString());
    const QString listed = shown.size() == 1
                               ? shown.first()
                               : shown.mid(0, shown.size() - 1).join(", ") + " or " + shown.last();
    return QString("0+Others can join this table at %1, port %2.").arg(listed).arg(port);
}

} // namespace joinaddresses

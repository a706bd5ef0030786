#pragma once

#include "portmap/mapping_result.h"

#include <QHostAddress>
#include <QList>
#include <QString>
#include <optional>

// At which addresses others can join a table this computer hosts: IPv4 and
// global IPv6, since the game port takes both.
namespace joinaddresses {

// This computer's addresses that others can reach, in order: private LAN
// IPv4 ranges, the rest of IPv4, then global IPv6 (stable addresses only:
// a temporary one is gone within a day); never loopback, link-local or an
// IPv6 address that reaches no further than this site.
QList<QHostAddress> ofThisComputer();
// The same order for a given set of addresses (the part worth testing).
QList<QHostAddress> ordered(const QList<QHostAddress>& all);

// The first global IPv6 address among addresses (for a pinhole), or null.
QHostAddress globalIpv6(const QList<QHostAddress>& addresses);
// The address an invite link carries: the first, except that a global IPv6
// address beats a private LAN address, which no friend elsewhere can reach
// (friends on this network find the table without a link).
QHostAddress forLink(const QList<QHostAddress>& addresses);
// The invite link: the router's outer address while it forwards a port to
// this table (friends elsewhere need it; the chat names the addresses on this
// network beside it), else forLink, else loopback.
QString inviteLink(const QList<QHostAddress>& addresses, quint16 port,
                   const std::optional<portmap::InternetAddress>& internet = std::nullopt);
// The system line that says where others can join, plainly when only this
// computer can.
QString line(const QList<QHostAddress>& addresses, quint16 port);

} // namespace joinaddresses

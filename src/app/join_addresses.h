#pragma once

#include "portmap/mapping_result.h"

#include <QHostAddress>
#include <QList>
#include <QString>
#include <optional>

// At which addresses others can join a table this computer hosts. The game
// port takes IPv4 only, so those are the addresses that count.
namespace joinaddresses {

// This computer's IPv4 addresses that others can reach, best first: private
// LAN ranges, then the rest; never loopback or link-local.
QList<QHostAddress> ofThisComputer();
// The same order for a given set of addresses (the part worth testing).
QList<QHostAddress> ordered(const QList<QHostAddress>& all);

// The invite link for the best address: the router's outer address while it
// forwards a port to this table (friends elsewhere need it; the chat names
// the addresses on this network beside it), else the best of addresses, else
// loopback.
QString inviteLink(const QList<QHostAddress>& addresses, quint16 port,
                   const std::optional<portmap::InternetAddress>& internet = std::nullopt);
// The system line that says where others can join, plainly when only this
// computer can.
QString line(const QList<QHostAddress>& addresses, quint16 port);

} // namespace joinaddresses

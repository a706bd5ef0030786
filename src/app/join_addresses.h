#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>

// At which addresses others can join a table this computer hosts. The game
// port takes IPv4 only, so those are the addresses that count.
namespace joinaddresses {

// This computer's IPv4 addresses that others can reach, best first: private
// LAN ranges, then the rest; never loopback or link-local.
QList<QHostAddress> ofThisComputer();
// The same order for a given set of addresses (the part worth testing).
QList<QHostAddress> ordered(const QList<QHostAddress>& all);

// The invite link for the best address, or the loopback address when there is none.
QString inviteLink(const QList<QHostAddress>& addresses, quint16 port);
// The system line that says where others can join, plainly when only this
// computer can.
QString line(const QList<QHostAddress>& addresses, quint16 port);

} // namespace joinaddresses

#pragma once

#include <QHostAddress>

// How far an address reaches: one list of ranges for the invite link's
// choice and for judging the address a router reports.
namespace addressscope {

// 10/8, 172.16/12, 192.168/16: a home or office network's own addresses.
bool isPrivateLan(const QHostAddress& address);
// Global unicast IPv6 (2000::/3): what a friend elsewhere can be routed to.
bool isGlobalIpv6(const QHostAddress& address);
// An IPv4 address friends elsewhere can reach: not private, shared
// (100.64/10), loopback, link-local, multicast or unspecified. A gateway
// that reports anything else sits behind another NAT.
bool reachableFromInternet(const QHostAddress& address);

} // namespace addressscope

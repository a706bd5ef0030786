#pragma once

#include <QStringView>
#include <QtGlobal>
#include <optional>

// How a host, as written, is read. Only strict dotted decimal is an IPv4
// address here. The system's parsers (inet_aton, the resolver behind
// getaddrinfo, Qt's address class) also read hexadecimal, octal, leading
// zeros and short forms such as "127.1": a host written so would lead
// somewhere other than it reads, so it is neither an address nor a name.
namespace numerichost {

// Four decimal numbers from 0 to 255 without leading zeros, joined by dots
// ("192.0.2.10"): the address, in host byte order.
std::optional<quint32> dottedQuad(QStringView host);

// Some parser would read the host as a number: its last label (after one
// final dot, before any blank) is decimal digits, or "0x" and hexadecimal
// digits. Names never end so ("1st.example" does not).
bool looksNumeric(QStringView host);

// An IPv6 address as inet_pton reads it, with an optional zone ("%eth0",
// the interface of a link-local address): letters, digits, "-", "_", ".".
bool isIpv6(QStringView host);

// Reads as a number but is not a dotted quad: to be refused, never resolved.
inline bool isAmbiguous(QStringView host) {
    return looksNumeric(host) && !dottedQuad(host);
}

} // namespace numerichost

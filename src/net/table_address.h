#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Where a table is: a host name or address and its game port. One reader
// takes every form a player types or a link carries: `host`, `host:port`,
// `[IPv6]:port`, a bare IPv6 address, and `ludomyra://HOST:PORT`.
struct TableAddress {
    QString host; // a name, an IPv4 address, or an IPv6 address without brackets
    quint16 port = 0;

    bool isIpv6() const { return host.contains(u':'); }
    // "host:port", an IPv6 host in brackets.
    QString text() const;
    // "ludomyra://host:port".
    QString link() const;

    friend bool operator==(const TableAddress&, const TableAddress&) = default;
};

struct AddressReading {
    std::optional<TableAddress> address;
    QString problem;   // what is wrong, in the player's words; empty when address is set
    bool link = false; // the text was an invite link
};

namespace tableaddress {

inline constexpr char kScheme[] = "ludomyra";
// Longer than any host name and port: a link past this is not one of ours.
inline constexpr int kMaxLength = 300;

// The text starts like an invite link ("ludomyra:" in any case).
bool looksLikeLink(const QString& text);

// Reads what was typed or given; a missing port is defaultPort.
AddressReading read(const QString& text, quint16 defaultPort);

// Why a host given on its own (the command line) will not do: it reads as a
// number but is not a plain dotted IPv4 address. Empty when it may be used.
QString numericHostProblem(const QString& host);

} // namespace tableaddress

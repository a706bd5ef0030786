#pragma once

#include "net/found_table.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The two datagrams of "tables on this network" (UDP, port 7773 unless
// LUDOMYRA_DISCOVERY_PORT says otherwise). Both are plain text:
//
//   query: "LUDOMYRA FIND 1\n", then zero bytes up to kQuerySize bytes in all
//   reply: "LUDOMYRA TABLE 1\n" ID "\n" VERSION "\n" PORT "\n" SEATS "\n"
//          SPIES "\n" GAME "\n" NAME
//
// ID is 16 lowercase hexadecimal digits that the host draws when it starts
// answering: a table heard at several of its addresses is listed once. GAME
// is "-" between games, else the running game's type key; NAME runs to the
// end (UTF-8). A reply is never longer than the query it answers: the query
// is padded so that every reply fits, and a name too long for it is cut.
// Both sides check a datagram whole before they use any of it.
namespace tabledatagram {

inline constexpr qsizetype kQuerySize = 256;
inline constexpr qsizetype kIdLength = 16;

QByteArray query();
// Exactly a query of this version: its size, its first line, zero padding.
bool isQuery(const QByteArray& datagram);

struct Reply {
    QString id;
    FoundTable table;
};

// A new table ID.
QString newId();
// The reply that describes table (its address is not sent), at most limit
// bytes long: the name is cut at a character to fit. Empty when even the
// fields before the name do not fit.
QByteArray reply(const Reply& reply, qsizetype limit = kQuerySize);
// The table a reply describes, with the address it came from; nothing when
// any field is missing or out of range. The name is cleaned as a login name.
std::optional<Reply> parseReply(const QByteArray& datagram, const QString& fromAddress);

} // namespace tabledatagram

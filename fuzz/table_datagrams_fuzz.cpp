// Arbitrary bytes as a query to a host and as a reply to a finder: nothing
// but the exact query is one, and whatever a reply passes the check with is
// in range and fits a query when sent on.

#include "net/table_datagrams.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray datagram(reinterpret_cast<const char*>(data), qsizetype(size));
    if (tabledatagram::isQuery(datagram) && datagram != tabledatagram::query())
        std::abort();
    const std::optional<tabledatagram::Reply> reply =
        tabledatagram::parseReply(datagram, QStringLiteral("192.0.2.1"));
    if (!reply)
        return 0;
    const FoundTable& table = reply->table;
    if (table.port == 0 || table.seatsTaken < 0 || table.seatsTaken > 5 || table.spies < 0 ||
        table.spies > 4 || table.name.size() > 40 || table.gameRunning == table.gameType.isEmpty())
        std::abort();
    if (tabledatagram::reply(*reply).size() > tabledatagram::kQuerySize)
        std::abort();
    return 0;
}

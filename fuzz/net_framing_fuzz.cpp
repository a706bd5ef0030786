// Feeds arbitrary bytes, cut into arbitrary reads, through the framer and the
// dispatcher, routed as the host and the client route them (every parser of
// both directions), with handlers that do nothing.

#include "net/message_routes.h"
#include "net/protocol.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static MessageDispatcher dispatcher = [] {
        MessageDispatcher d;
        const auto ignore = [](const auto&) {
        };
        routeEvery(d, ToClient{}, ignore);
        routeEvery(d, ToHost{}, ignore); // the host's reading of the words both send
        return d;
    }();
    MessageFramer framer;
    QStringList queue;
    size_t offset = 0;
    // The first byte of each read says how long it is.
    while (offset < size) {
        const size_t length = std::min<size_t>(data[offset] + 1, size - offset - 1);
        ++offset;
        framer.feed(QByteArray(reinterpret_cast<const char*>(data + offset), qsizetype(length)),
                    queue);
        offset += length;
        if (framer.pendingSize() > MessageFramer::kMaxPending)
            __builtin_trap();
    }
    while (!queue.isEmpty())
        dispatcher.dispatchOne(queue);
    return 0;
}

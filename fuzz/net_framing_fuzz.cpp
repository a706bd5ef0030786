// Feeds arbitrary bytes, cut into arbitrary reads, through the framer and the
// dispatcher, with handlers that cut fields the way the host and client do.

#include "net/commands.h"
#include "net/protocol.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static MessageDispatcher dispatcher = [] {
        MessageDispatcher d;
        d.on(cmd::myword, [](const QString& args) {
            QString rest = args;
            cutSlot(rest);
            cutField(rest);
        });
        d.on(cmd::ballowners, [](const QString& args) {
            QString rest = args;
            while (!rest.isEmpty()) {
                cutNumber(rest);
                cutNumber(rest);
            }
        });
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

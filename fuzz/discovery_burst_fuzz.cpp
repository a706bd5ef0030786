// Bursts of hostile datagrams on loopback at a host's discovery responder
// and at a finder, read in the batches they read them in. Whatever comes, the
// finder lists tables only from the addresses it asked and at most a few from
// any one of them, the host answers nothing but exact queries, never with more
// bytes and never more often than it was asked, and after the burst both
// still hear: the host answers the next query, the finder lists the next table.
//
// Input: records of [flags][copies - 1][length, 2 bytes, big-endian][datagram].
// Flags: bits 0-2 the source (127.0.0.1 to 127.0.0.8); bit 3 to the finder,
// else to the host; bit 4 each copy of a reply under an ID of its own.

#include "host/host_state.h"
#include "host/reply_budget.h"
#include "host/table_responder.h"
#include "net/table_datagrams.h"
#include "net/table_finder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>

namespace {

constexpr int kSources = 8;
constexpr int kAskedSources = 4;
constexpr int kMostDatagrams = 2000;
constexpr int kDeafMs = 5000;

QHostAddress loopback(int last) {
    return QHostAddress(QStringLiteral("127.0.0.%1").arg(last));
}

// Sockets that live for the whole run: the sources all send from one port,
// the finder's discovery port, so that the finder takes their replies.
struct Peers {
    std::array<std::unique_ptr<QUdpSocket>, kSources> sources;
    QUdpSocket asker;  // 127.0.0.9: the host's next query
    QUdpSocket lister; // 127.0.0.10: the finder's next table
    quint16 port = 0;

    Peers() {
        for (int i = 0; i < kSources; ++i) {
            sources[i] = std::make_unique<QUdpSocket>();
            if (!sources[i]->bind(loopback(i + 1), port))
                std::abort(); // no run without its sockets
            port = sources[i]->localPort();
        }
        if (!asker.bind(loopback(9), 0) || !lister.bind(loopback(10), port))
            std::abort();
    }
};

void drain(QUdpSocket& socket) {
    while (socket.hasPendingDatagrams())
        socket.receiveDatagram();
}

// Runs the loop until condition holds, calling poke every 50 ms (a datagram
// sent while the burst still fills a queue is lost); false when deaf.
bool waitUntil(const std::function<bool()>& condition, const std::function<void()>& poke) {
    QElapsedTimer clock;
    clock.start();
    qint64 pokedMs = -50;
    while (!condition()) {
        if (clock.elapsed() > kDeafMs)
            return false;
        if (clock.elapsed() - pokedMs >= 50) {
            poke();
            pokedMs = clock.elapsed();
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// The reply's ID with the copy number in its last three digits.
void giveOwnId(QByteArray& datagram, int copy) {
    static const QByteArray replyLine = "LUDOMYRA TABLE 1\n";
    const qsizetype idEnd = replyLine.size() + tabledatagram::kIdLength;
    if (datagram.startsWith(replyLine) && datagram.size() >= idEnd)
        datagram.replace(idEnd - 3, 3, QByteArray::number(0x1000 + copy % 0x1000, 16).right(3));
}

struct Burst {
    std::map<int, int> queriesFrom; // by source: exact queries sent to the host
    int unansweredAllowance = 0;    // replies the host may have left for the asker
};

Burst sendBurst(Peers& peers, const uint8_t* data, size_t size, quint16 hostPort,
                quint16 finderPort) {
    Burst burst;
    int sent = 0;
    size_t at = 0;
    while (at + 4 <= size && sent < kMostDatagrams) {
        const uint8_t flags = data[at];
        const int copies = data[at + 1] + 1;
        const size_t length = std::min<size_t>(size - at - 4, data[at + 2] << 8 | data[at + 3]);
        const QByteArray datagram(reinterpret_cast<const char*>(data + at + 4), qsizetype(length));
        at += 4 + length;
        const int source = flags & 7;
        const bool toFinder = flags & 8;
        for (int copy = 0; copy < copies && sent < kMostDatagrams; ++copy, ++sent) {
            QByteArray copyBytes = datagram;
            if (flags & 16)
                giveOwnId(copyBytes, copy);
            peers.sources[source]->writeDatagram(copyBytes, QHostAddress::LocalHost,
                                                 toFinder ? finderPort : hostPort);
            if (!toFinder && tabledatagram::isQuery(copyBytes))
                ++burst.queriesFrom[source];
        }
    }
    // What the sources' queries may have taken of the host's whole allowance.
    int taken = 0;
    for (const auto& [source, queries] : burst.queriesFrom)
        taken += std::min(queries, ReplyBudget::Limits{}.perSourceBurst);
    burst.unansweredAllowance = ReplyBudget::Limits{}.totalBurst - taken;
    return burst;
}

// The finder asks 127.0.0.1 to .4 (sources) and 127.0.0.10 (the lister).
QList<QHostAddress> askedAddresses() {
    QList<QHostAddress> asked{loopback(10)};
    for (int i = 1; i <= kAskedSources; ++i)
        asked.append(loopback(i));
    return asked;
}

void checkFinderList(const TableFinder& finder) {
    const QList<FoundTable> tables = finder.tables();
    if (tables.size() > TableFinder::kMostTables)
        std::abort();
    const QList<QHostAddress> asked = askedAddresses();
    std::map<QString, int> byAddress;
    for (const FoundTable& table : tables) {
        if (!asked.contains(QHostAddress(table.address)) ||
            ++byAddress[table.address] > TableFinder::kMostTablesFromOneAddress ||
            table.name.size() > 40)
            std::abort();
    }
}

// The host's replies that reached the sources: no larger than a query, well
// formed, and no more to a source than the exact queries it sent.
void checkHostReplies(Peers& peers, const Burst& burst, quint16 hostPort) {
    for (int source = 0; source < kSources; ++source) {
        int replies = 0;
        QUdpSocket& socket = *peers.sources[source];
        while (socket.hasPendingDatagrams()) {
            const QNetworkDatagram datagram = socket.receiveDatagram();
            if (datagram.senderPort() != hostPort)
                continue; // the finder's queries
            ++replies;
            if (datagram.data().size() > tabledatagram::kQuerySize ||
                !tabledatagram::parseReply(datagram.data(), QStringLiteral("127.0.0.1")))
                std::abort();
        }
        const auto sent = burst.queriesFrom.find(source);
        if (replies > (sent == burst.queriesFrom.end() ? 0 : sent->second))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Peers& peers = *new Peers;
    for (auto& source : peers.sources)
        drain(*source);
    drain(peers.asker);
    drain(peers.lister);

    HostState state;
    TableResponder responder(state);
    if (!responder.start(0, 7772, QStringLiteral("Host")))
        std::abort();
    TableFinder finder;
    finder.setDiscoveryPort(peers.port);
    finder.setTargets(askedAddresses());
    finder.setRefreshInterval(3600 * 1000); // asks once: the burst is all it hears
    finder.start();
    if (!waitUntil([&] { return peers.lister.hasPendingDatagrams(); }, [] {}))
        std::abort();
    const quint16 finderPort = quint16(peers.lister.receiveDatagram().senderPort());

    const Burst burst = sendBurst(peers, data, size, responder.localPort(), finderPort);

    // Each socket reads in order: once these are heard, so was the burst.
    FoundTable lastTable;
    lastTable.port = 7772;
    lastTable.name = QStringLiteral("Last");
    lastTable.version = QStringLiteral("1.0.8");
    const QByteArray lastReply =
        tabledatagram::reply({QStringLiteral("ffffffffffffffff"), lastTable});
    const auto lastListed = [&] {
        for (const FoundTable& table : finder.tables())
            if (table.address == QLatin1String("127.0.0.10"))
                return true;
        return false;
    };
    if (!waitUntil(lastListed, [&] {
            peers.lister.writeDatagram(lastReply, QHostAddress::LocalHost, finderPort);
        }))
        std::abort(); // the finder went deaf
    if (burst.unansweredAllowance > 0 &&
        !waitUntil([&] { return peers.asker.hasPendingDatagrams(); },
                   [&] {
                       peers.asker.writeDatagram(tabledatagram::query(), QHostAddress::LocalHost,
                                                 responder.localPort());
                   }))
        std::abort(); // the host went deaf

    checkFinderList(finder);
    checkHostReplies(peers, burst, responder.localPort());
    return 0;
}

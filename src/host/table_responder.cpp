#include "host/table_responder.h"

#include "common/environment.h"
#include "common/version.h"
#include "host/host_state.h"
#include "net/datagram_reader.h"
#include "net/table_datagrams.h"

#include <cstdio>

TableResponder::TableResponder(const HostState& state, QObject* parent)
    : QObject(parent), state_(state) {
    connect(&socket_, &QUdpSocket::readyRead, this, &TableResponder::readQueries);
    clock_.start();
}

bool TableResponder::start(quint16 discoveryPort, quint16 gamePort, const QString& tableName) {
    stop();
    id_ = tabledatagram::newId();
    gamePort_ = gamePort;
    tableName_ = tableName;
    // Shared, so that a second host on this computer answers broadcasts too.
    const auto mode = QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint;
    const bool bound = socket_.bind(QHostAddress::Any, discoveryPort, mode) ||
                       socket_.bind(QHostAddress::AnyIPv4, discoveryPort, mode); // no IPv6 here
    ownPort_ = socket_.localPort();
    return bound;
}

bool TableResponder::startOnDiscoveryPort(quint16 gamePort, const QString& tableName) {
    const quint16 port = environment::discoveryPort();
    if (start(port, gamePort, tableName))
        return true;
    std::fprintf(stderr, "ludomyra: not listed on the network: UDP port %u: %s\n", port,
                 errorString().toUtf8().constData());
    return false;
}

void TableResponder::stop() {
    socket_.close();
}

FoundTable TableResponder::describe() const {
    FoundTable table;
    table.port = gamePort_;
    table.name = tableName_;
    table.version = QString::fromLatin1(kLudomyraVersion);
    for (int slot = 1; slot <= game::kSlots; ++slot) {
        if (state_.player(slot).inuse)
            ++(slot <= game::kSeats ? table.seatsTaken : table.spies);
    }
    if (state_.gameon && state_.gametype)
        table.gameType = gametype::word(*state_.gametype);
    table.gameRunning = !table.gameType.isEmpty();
    return table;
}

void TableResponder::readQueries() {
    datagramreader::readBatch(
        socket_, tabledatagram::kQuerySize, [this](const QNetworkDatagram& datagram) {
            answer(datagram.data(), datagram.senderAddress(), quint16(datagram.senderPort()));
        });
}

void TableResponder::answer(const QByteArray& query, const QHostAddress& from, quint16 fromPort) {
    // Port 0 cannot be answered; a query "from" the discovery port is forged
    // to set hosts answering each other.
    if (fromPort == 0 || fromPort == ownPort_ || !tabledatagram::isQuery(query))
        return;
    if (!budget_.take(from, clock_.elapsed()))
        return;
    const QByteArray reply = tabledatagram::reply({id_, describe()}, query.size());
    if (!reply.isEmpty())
        socket_.writeDatagram(reply, from, fromPort);
}

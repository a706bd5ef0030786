#include "net/table_finder.h"

#include "common/environment.h"
#include "net/datagram_reader.h"
#include "net/table_datagrams.h"

#include <QNetworkInterface>
#include <algorithm>

namespace {

const QHostAddress kAllNodes(QStringLiteral("ff02::1"));

// Lower is better to join at.
int addressRank(const QHostAddress& address) {
    const bool ipv4 = address.protocol() == QAbstractSocket::IPv4Protocol;
    if (address.isLinkLocal())
        return ipv4 ? 2 : 5;
    if (address.isLoopback())
        return ipv4 ? 1 : 4;
    return ipv4 ? 0 : 3;
}

bool sameTable(const FoundTable& a, const FoundTable& b) {
    return a.address == b.address && a.port == b.port && a.name == b.name &&
           a.version == b.version && a.seatsTaken == b.seatsTaken && a.spies == b.spies &&
           a.gameRunning == b.gameRunning && a.gameType == b.gameType;
}

} // namespace

TableFinder::TableFinder(QObject* parent)
    : QObject(parent), discoveryPort_(environment::discoveryPort()) {
    refresh_.setInterval(kRefreshMs);
    connect(&refresh_, &QTimer::timeout, this, &TableFinder::ask);
    for (QUdpSocket* socket : {&ipv4_, &ipv6_})
        connect(socket, &QUdpSocket::readyRead, this, [this, socket] { readReplies(*socket); });
    clock_.start();
}

void TableFinder::setRefreshInterval(int milliseconds) {
    refresh_.setInterval(std::max(1, milliseconds));
}

void TableFinder::start() {
    // Either family may be missing on this computer: the other still asks.
    if (ipv4_.state() != QAbstractSocket::BoundState)
        ipv4_.bind(QHostAddress::AnyIPv4, 0);
    if (ipv6_.state() != QAbstractSocket::BoundState)
        ipv6_.bind(QHostAddress::AnyIPv6, 0);
    ask();
    refresh_.start();
}

void TableFinder::stop() {
    refresh_.stop();
    ipv4_.close();
    ipv6_.close();
    if (!heard_.empty()) {
        heard_.clear();
        emit tablesChanged();
    }
}

QList<QHostAddress> TableFinder::destinations() const {
    if (!targets_.isEmpty())
        return targets_;
    QList<QHostAddress> found;
    for (const QNetworkInterface& face : QNetworkInterface::allInterfaces()) {
        const auto flags = face.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning))
            continue;
        bool hasIpv6 = false;
        for (const QNetworkAddressEntry& entry : face.addressEntries()) {
            if (!entry.broadcast().isNull() && !found.contains(entry.broadcast()))
                found.append(entry.broadcast());
            hasIpv6 = hasIpv6 || entry.ip().protocol() == QAbstractSocket::IPv6Protocol;
        }
        if (hasIpv6 && (flags & QNetworkInterface::CanMulticast) &&
            !(flags & QNetworkInterface::IsLoopBack)) {
            QHostAddress group = kAllNodes;
            group.setScopeId(face.name()); // link-local: one group per interface
            found.append(group);
        }
    }
    return found;
}

void TableFinder::ask() {
    if (forgetSilent())
        emit tablesChanged();
    const QByteArray query = tabledatagram::query();
    for (const QHostAddress& to : destinations()) {
        QUdpSocket& socket = to.protocol() == QAbstractSocket::IPv6Protocol ? ipv6_ : ipv4_;
        if (socket.state() == QAbstractSocket::BoundState)
            socket.writeDatagram(query, to, discoveryPort_);
    }
}

void TableFinder::readReplies(QUdpSocket& socket) {
    datagramreader::readBatch(
        socket, tabledatagram::kQuerySize, [this](const QNetworkDatagram& datagram) {
            // Hosts answer from the port they were asked on.
            if (datagram.senderPort() != discoveryPort_ || !asked(datagram.senderAddress()))
                return;
            const std::optional<tabledatagram::Reply> reply =
                tabledatagram::parseReply(datagram.data(), datagram.senderAddress().toString());
            if (reply)
                heard(reply->id, reply->table);
        });
}

// Asked by address, only those addresses answer: any other is a stranger.
bool TableFinder::asked(const QHostAddress& sender) const {
    return targets_.isEmpty() ||
           std::any_of(targets_.begin(), targets_.end(), [&](const QHostAddress& target) {
               return target.isEqual(sender, QHostAddress::TolerantConversion);
           });
}

int TableFinder::tablesFirstFrom(const QString& address) const {
    return int(std::count_if(heard_.begin(), heard_.end(),
                             [&](const auto& entry) { return entry.second.firstFrom == address; }));
}

void TableFinder::heard(const QString& id, const FoundTable& table) {
    auto found = heard_.find(id);
    const bool isNew = found == heard_.end();
    if (isNew) {
        if (int(heard_.size()) >= kMostTables ||
            tablesFirstFrom(table.address) >= kMostTablesFromOneAddress)
            return;
        found = heard_.emplace(id, Heard{table, 0, table.address}).first;
    }
    Heard& entry = found->second;
    entry.atMs = clock_.elapsed();
    FoundTable now = table;
    // Heard at another of its addresses too: the better one stays.
    if (!isNew &&
        addressRank(QHostAddress(entry.table.address)) < addressRank(QHostAddress(table.address)))
        now.address = entry.table.address;
    if (!isNew && sameTable(entry.table, now))
        return;
    entry.table = now;
    emit tablesChanged();
}

// A table that missed two refreshes in a row has gone (or stopped answering).
bool TableFinder::forgetSilent() {
    const qint64 oldest = clock_.elapsed() - (2 * refresh_.interval() + refresh_.interval() / 2);
    return std::erase_if(heard_,
                         [oldest](const auto& entry) { return entry.second.atMs < oldest; }) > 0;
}

QList<FoundTable> TableFinder::tables() const {
    QList<FoundTable> list;
    for (const auto& entry : heard_)
        list.append(entry.second.table);
    std::sort(list.begin(), list.end(), [](const FoundTable& a, const FoundTable& b) {
        const int byName = a.name.compare(b.name, Qt::CaseInsensitive);
        if (byName != 0)
            return byName < 0;
        return std::pair(a.address, a.port) < std::pair(b.address, b.port);
    });
    return list;
}

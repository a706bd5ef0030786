#pragma once

#include "net/found_table.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>
#include <map>

// Finds the tables on this network: asks every host that listens for
// discovery queries (see table_datagrams.h) and keeps the list of those that
// answer, asking again every few seconds and forgetting a table that has not
// answered twice in a row. A table that answers at several of its addresses
// is listed once, at the one a player can best join: IPv4 before IPv6, a
// network address before loopback, link-local last.
class TableFinder : public QObject {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 3000;
    // A hostile network could answer from any number of addresses.
    static constexpr int kMostTables = 100;
    // A computer may host a few tables at once (windows and dedicated hosts
    // share the discovery port), but one stranger's address must not fill
    // the list: four rows each leave room for 24 other computers.
    static constexpr int kMostTablesFromOneAddress = 4;

    explicit TableFinder(QObject* parent = nullptr);

    // The hosts' discovery port: LUDOMYRA_DISCOVERY_PORT or 7773 unless set.
    void setDiscoveryPort(quint16 port) { discoveryPort_ = port; }
    // Asks only these addresses, and hears replies only from them; with none
    // (the default) every IPv4 broadcast address and the IPv6 all-nodes
    // group of every interface, and replies from anywhere.
    void setTargets(const QList<QHostAddress>& targets) { targets_ = targets; }
    void setRefreshInterval(int milliseconds);

    // Asks at once, then every refresh interval, until stop().
    void start();
    // Stops asking and forgets every table.
    void stop();
    bool running() const { return refresh_.isActive(); }

    // The tables heard from lately, by name, then address and port.
    QList<FoundTable> tables() const;
    // Where the queries go, as start() would send them now.
    QList<QHostAddress> destinations() const;

signals:
    void tablesChanged();

private:
    struct Heard {
        FoundTable table;
        qint64 atMs = 0;
        QString firstFrom; // the address that told of it first
    };

    void ask();
    void readReplies(QUdpSocket& socket);
    bool asked(const QHostAddress& sender) const;
    void heard(const QString& id, const FoundTable& table);
    int tablesFirstFrom(const QString& address) const;
    bool forgetSilent();

    quint16 discoveryPort_;
    QList<QHostAddress> targets_;
    QUdpSocket ipv4_;
    QUdpSocket ipv6_;
    QTimer refresh_;
    QElapsedTimer clock_;
    std::map<QString, Heard> heard_; // by table ID
};

#pragma once

#include "host/reply_budget.h"
#include "net/found_table.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QUdpSocket>

struct HostState;

// Answers "tables on this network" queries (see net/table_datagrams.h) for a
// host: its name, game port, seats and spies and the game that runs, read
// from the host's state at each query. Only well-formed queries are
// answered, never with more bytes than they had, and only as often as the
// reply budget allows.
class TableResponder : public QObject {
public:
    explicit TableResponder(const HostState& state, QObject* parent = nullptr);

    // Answers on discoveryPort (every IPv4 and IPv6 address) for the table
    // that plays on gamePort under tableName. False when the port cannot be
    // had; errorString() then says why.
    bool start(quint16 discoveryPort, quint16 gamePort, const QString& tableName);
    // start() on LUDOMYRA_DISCOVERY_PORT; when the port cannot be had the
    // table plays on unlisted, and stderr says why.
    bool startOnDiscoveryPort(quint16 gamePort, const QString& tableName);
    void stop();
    bool answering() const { return socket_.state() == QAbstractSocket::BoundState; }
    quint16 localPort() const { return socket_.localPort(); }
    QString errorString() const { return socket_.errorString(); }

    // What a reply says now.
    FoundTable describe() const;

private:
    void readQueries();
    void answer(const QByteArray& query, const QHostAddress& from, quint16 fromPort);

    const HostState& state_;
    QUdpSocket socket_;
    ReplyBudget budget_;
    QElapsedTimer clock_;
    QString id_; // drawn at each start
    quint16 ownPort_ = 0;
    quint16 gamePort_ = 0;
    QString tableName_;
};

#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

// The window's side of a held seat: the host's key for it, kept in the
// settings file with the time until which the host may still hold the seat.
// While connected that time moves on with the clock (a killed program leaves
// it near the moment it died); from a drop it stands at drop + grace.
class SeatKeeper : public QObject {
public:
    // How long the host holds a dropped player's seat.
    static int graceMs();

    explicit SeatKeeper(QObject* parent = nullptr);

    // A new key from the host of that table ("host:port").
    void keyArrived(const QString& table, const QString& key);
    // The connection dropped: the seat is held from now.
    void dropped();
    // The key for that table is of no more use: its game ended, the player
    // left it on purpose or was removed, or its host refused the key. A key
    // for another table is kept: leaving a solo table to rejoin is no reason
    // to lose the seat.
    void forget(const QString& table);
    // The stored key for that table while it may still be valid, else empty.
    QString keyFor(const QString& table) const;
    // The table of a stored key that may still be valid, else empty.
    QString heldTable() const;

private:
    void refresh();

    QTimer refresh_;
};

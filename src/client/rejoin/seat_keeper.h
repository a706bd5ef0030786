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
    // The key is of no more use: the game ended, the player left on purpose
    // or was removed, or the host refused it.
    void forget();
    // The stored key for that table while it may still be valid, else empty.
    QString keyFor(const QString& table) const;
    // The table of a stored key that may still be valid, else empty.
    QString heldTable() const;

private:
    void refresh();

    QTimer refresh_;
};

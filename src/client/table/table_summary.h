#pragma once

#include <QList>
#include <QString>

// The table in words, for a screen reader: which balls lie on it and which
// each seat has pocketed.
namespace tablesummary {

struct Rack {
    QString owner; // as the seat shows it
    QList<int> balls;
};

// onTable: the balls shown on the table, 0 being the cue ball.
QString describe(const QList<int>& onTable, const QList<Rack>& racks);

} // namespace tablesummary

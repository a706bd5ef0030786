#pragma once

#include <QList>
#include <QString>

class TableModel;

// The table in words, for a screen reader: which balls lie on it and which
// each seat has pocketed (a seat nobody takes and with an empty rack is left out).
namespace tablesummary {

// onTable: the balls shown on the table, 0 being the cue ball.
QString describe(const QList<int>& onTable, const TableModel& model);

} // namespace tablesummary

#include "client/table/table_summary.h"

#include "client/core/table_model.h"

#include <QStringList>

namespace {

// "no balls", "ball 4", "balls 1, 2 and 3"
QString ballsInWords(const QList<int>& balls) {
    if (balls.isEmpty())
        return "no balls";
    QStringList numbers;
    for (int ball : balls)
        numbers << QString::number(ball);
    if (numbers.size() == 1)
        return "ball " + numbers.first();
    const QString last = numbers.takeLast();
    return "balls " + numbers.join(", ") + " and " + last;
}

} // namespace

namespace tablesummary {

QString describe(const QList<int>& onTable, const TableModel& model) {
    QList<int> numbered = onTable;
    const bool cue = numbered.removeAll(0) > 0;
    QString text = "On the table: ";
    if (cue)
        text += numbered.isEmpty() ? "the cue ball" : "the cue ball and ";
    if (!numbered.isEmpty() || !cue)
        text += ballsInWords(numbered);
    text += '.';
    for (int n = 1; n <= game::kSeats; ++n) {
        const QList<int>& rack = model.seat(n).rack;
        if (model.seatText(n) != QLatin1String(TableModel::kWaiting) || !rack.isEmpty())
            text += QString(" %1's rack: %2.").arg(model.displayName(n), ballsInWords(rack));
    }
    return text;
}

} // namespace tablesummary

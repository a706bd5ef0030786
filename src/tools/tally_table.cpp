#include "tools/tally_table.h"

#include <QList>
#include <QStringList>
#include <algorithm>

namespace {

const QStringList kCountHeadings{"Games", "His Wins", "Your Wins", "Neither Won"};

// Lays out rows of cells: the first column left-aligned, the others right.
QString alignColumns(const QList<QStringList>& rows) {
    QList<qsizetype> widths(rows.first().size(), 0);
    for (const QStringList& row : rows)
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    QString text;
    for (const QStringList& row : rows) {
        QString line = row[0].leftJustified(widths[0]);
        for (qsizetype c = 1; c < row.size(); ++c)
            line += "  " + row[c].rightJustified(widths[c]);
        while (line.endsWith(u' '))
            line.chop(1);
        text += line + "\n";
    }
    return text;
}

} // namespace

QString formatTallyTable(const TallyGrid& grid) {
    QString text = QString("Total Games: %1\nYour Wins: %2\n\n")
                       .arg(grid.count(TallyGrid::kMyGames, 0))
                       .arg(grid.count(TallyGrid::kMyWins, 0));
    if (grid.rowCount() < 2)
        return text + "No players are being tallied.\n";
    QStringList groups(1 + 2 * kCountHeadings.size());
    groups[1] = "Total";
    groups[1 + kCountHeadings.size()] = "Session";
    QList<QStringList> rows{groups, QStringList{"Player"} + kCountHeadings + kCountHeadings};
    for (int row = 1; row < grid.rowCount(); ++row) {
        QStringList cells{grid.cell(TallyGrid::Name, row)};
        for (int column = TallyGrid::Games; column < TallyGrid::kColumns; ++column)
            cells << QString::number(grid.count(column, row));
        rows << cells;
    }
    return text + alignColumns(rows);
}

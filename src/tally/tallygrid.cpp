#include "tally/tallygrid.h"

#include <algorithm>

namespace {

const QString kZero = QStringLiteral("0");

QStringList zeroRow() {
    return QStringList(TallyGrid::kColumns, kZero);
}

std::optional<qint64> countOf(const QString& text) {
    if (text.isEmpty() ||
        !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

// A count cell may be empty in an opponent row (it reads as 0); anywhere
// else it must be a number.
bool readableCount(const QString& text, int row) {
    return countOf(text).has_value() || (row > 0 && text.isEmpty());
}

} // namespace

TallyGrid::TallyGrid() : rows_{zeroRow()} {}

qint64 TallyGrid::count(int column, int row) const {
    return countOf(cell(column, row)).value_or(0);
}

qint64 TallyGrid::addit(int column, int row) {
    const qint64 value = count(column, row) + 1;
    setCell(column, row, QString::number(value));
    return value;
}

void TallyGrid::addRow(const QString& name) {
    QStringList row = zeroRow();
    row[Name] = name;
    rows_.append(row);
}

void TallyGrid::moverow(int row) {
    if (row >= 1 && row < rowCount())
        rows_.removeAt(row);
}

void TallyGrid::reset() {
    rows_ = {zeroRow()};
}

void TallyGrid::fillEmptyCounts(int row) {
    for (int column = Games; column < kColumns; ++column)
        if (cell(column, row).isEmpty())
            setCell(column, row, kZero);
}

void TallyGrid::startSession() {
    for (int row = 1; row < rowCount(); ++row)
        for (int column = SessionGames; column < kColumns; ++column)
            setCell(column, row, kZero);
}

QByteArray TallyGrid::toText() const {
    QByteArray text;
    const auto line = [&text](const QString& cell) {
        text += cell.toUtf8() + "\r\n";
    };
    line(QString::number(kColumns));
    line(QString::number(rowCount()));
    for (int column = 0; column < kColumns; ++column)
        for (int row = 0; row < rowCount(); ++row)
            line(cell(column, row));
    return text;
}

std::optional<TallyGrid> TallyGrid::fromText(const QByteArray& text) {
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    if (lines.size() < 2 || countOf(QString::fromUtf8(lines[0])) != kColumns)
        return std::nullopt;
    const std::optional<qint64> rows = countOf(QString::fromUtf8(lines[1]));
    if (!rows || *rows < 1 || *rows > (lines.size() - 2) / kColumns)
        return std::nullopt;
    TallyGrid grid;
    grid.rows_ = QList<QStringList>(*rows, zeroRow());
    int next = 2;
    for (int column = 0; column < kColumns; ++column) {
        for (int row = 0; row < *rows; ++row) {
            const QString cell = QString::fromUtf8(lines[next++]);
            if (column != Name && !readableCount(cell, row))
                return std::nullopt;
            grid.setCell(column, row, cell);
        }
    }
    return grid;
}

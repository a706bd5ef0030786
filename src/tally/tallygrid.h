#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The counts of the tally: 9 columns of text cells. Row 0 holds the local
// player's games (column 1) and wins (column 2); each further row one
// followed opponent: name, then games together, his wins, your wins and
// games neither won, in total (columns 1-4) and this run (columns 5-8).
class TallyGrid {
public:
    static constexpr int kColumns = 9;
    enum Column {
        Name = 0,
        Games = 1,
        HisWins = 2,
        YourWins = 3,
        NeitherWon = 4,
        SessionGames = 5,
        SessionHisWins = 6,
        SessionYourWins = 7,
        SessionNeitherWon = 8,
    };
    // Row 0's own columns.
    static constexpr int kMyGames = 1;
    static constexpr int kMyWins = 2;
    // The "Session" counts follow the totals at this offset.
    static constexpr int kSessionOffset = SessionGames - Games;

    TallyGrid(); // one row of "0"s

    int rowCount() const { return int(rows_.size()); }
    QString cell(int column, int row) const { return rows_.at(row).at(column); }
    void setCell(int column, int row, const QString& text) { rows_[row][column] = text; }
    // The cell as a count; a cell that is not a number counts as 0.
    qint64 count(int column, int row) const;
    // Adds 1 to the count in the cell and returns the new count.
    qint64 addit(int column, int row);

    // Appends a followed opponent's row: the name and eight "0"s.
    void addRow(const QString& name);
    // Removes row r (1 or more), moving the rows below it up.
    void moverow(int row);
    // Back to a single row of "0"s.
    void reset();

    // Every cell of an opponent row that is empty becomes "0".
    void fillEmptyCounts(int row);
    // Zeroes the "Session" counts of every opponent.
    void startSession();

    // The saved text: the column count and the row count, then the cells
    // column by column, each on its own line ending in CR LF.
    QByteArray toText() const;
    // Reads that text back (CR LF or LF line ends); nothing when it is not
    // a tally: wrong column count, missing cells, or a count that is not a
    // number.
    static std::optional<TallyGrid> fromText(const QByteArray& text);

private:
    QList<QStringList> rows_;
};

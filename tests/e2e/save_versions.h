#pragma once

// Two versions of a tally and of a settings file that differ in every entry,
// for the test that kills a process while it saves one of them.

#include "common/inifile.h"
#include "tally/tallygrid.h"

namespace saveversions {

inline constexpr int kEntries = 1000;

inline TallyGrid tally(int version) {
    TallyGrid grid;
    for (int row = 1; row <= kEntries / 10; ++row) {
        grid.addRow(QStringLiteral("Opponent%1v%2").arg(row).arg(version));
        for (int column = 1; column < TallyGrid::kColumns; ++column)
            grid.setCell(column, row, QString::number(row * column + version));
    }
    return grid;
}

// The settings file at path with every key set to this version's values.
inline IniFile settings(const QString& path, int version) {
    IniFile file(path);
    for (int key = 0; key < kEntries; ++key)
        file.writeString("Ludomyra", QStringLiteral("Phrase%1").arg(key),
                         QStringLiteral("version %1, well played, %2").arg(version).arg(key));
    return file;
}

} // namespace saveversions

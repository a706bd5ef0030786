#pragma once

#include <QString>
#include <QtGlobal>

// One table that answered a "tables on this network" query: what the join
// window lists and `--find-tables` prints.
struct FoundTable {
    QString address;    // as the reply came from; IPv6 without brackets
    quint16 port = 0;   // the game port
    QString name;       // the host player's name, or the dedicated table's name
    QString version;    // the host's program version
    int seatsTaken = 0; // of five
    int spies = 0;      // of four
    bool gameRunning = false;
    QString gameType; // "high", "most", "nine" or "race" while a game runs
};

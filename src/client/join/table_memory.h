#pragma once

#include "net/table_address.h"

#include <QDateTime>
#include <QList>
#include <QString>

// What the join windows remember in the settings file: the player's name
// ("Playername") and the last tables joined ("Recent1" newest .. "Recent10",
// each "host:port|ISO time"). Every call reads or rewrites the file, so two
// windows (and a restart) always see the same; other keys are kept.
class TableMemory {
public:
    static constexpr int kRecentTables = 10;
    struct Recent {
        TableAddress address;
        QDateTime when; // invalid when the file had none we could read
    };

    explicit TableMemory(QString settingsFile);

    QString playerName() const;
    // Newest first; entries a hand edit broke are left out.
    QList<Recent> recentTables() const;

    // Whether a table hosted for others asks the router to forward its port
    // ("PortMapping"; on unless it reads 0).
    bool portMapping() const;

    // False when the file could not be written.
    bool rememberName(const QString& name);
    bool rememberPortMapping(bool on);
    // Puts the table first (once), keeping the ten newest.
    bool rememberJoined(const TableAddress& table, const QDateTime& when);
    // The same for a table already listed; any other is left out, so that
    // merely playing never writes the file.
    bool rememberJoinedAgain(const TableAddress& table, const QDateTime& when);

private:
    bool putFirst(const TableAddress& table, const QDateTime& when, bool onlyIfListed);

    QString file_;
};

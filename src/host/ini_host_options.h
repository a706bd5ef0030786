#pragma once

#include "host/host_ports.h"

#include <QString>

// The host's options read from glenmorra.ini (section "Ludomyra") when there
// is no main window to ask: the headless host under --serve. The file is read
// at every call, so an edit takes effect at the next row or bot move.
class IniHostOptions : public HostOptions {
public:
    // path: the settings file; by default glenmorra.ini in the home folder.
    explicit IniHostOptions(QString path = defaultPath());

    int botSpeedMs() const override;
    int betweenRoundsTicks() const override;
    bool botFair() const override;
    bool exactMarks() const override;

    // What the dedicated host says of itself to "tables on this network":
    // its name (Tablename, cleaned as a player's name; this computer's name
    // when unset), and whether it answers at all (Discovery=0 keeps it quiet).
    QString tableName() const;
    bool discoveryOn() const;
    // Whether it asks the router to forward its port: only with PortMapping=1,
    // since a server usually has a public address of its own.
    bool portMappingOn() const;

    static QString defaultPath();

    // How a stored value maps to the option; unreadable values give the default.
    static int botSpeedFromText(const QString& text);
    static int betweenRoundsFromText(const QString& text);
    // "1" switches a table rule on; anything else leaves the game's own rule.
    static bool ruleFromText(const QString& text);

private:
    QString readKey(const QString& key, const QString& fallback) const;

    QString path_;
};

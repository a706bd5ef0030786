#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// The one rejoin key this player may hold, kept in the settings file as
// "Rejoin=host:port|KEY|expiry" (ISO time, UTC) so that a restarted program
// can still come back to its seat. Every call reads or rewrites the file;
// other keys are kept. A key past its expiry is removed when it is read.
class SeatKeyFile {
public:
    struct Entry {
        QString table; // "host:port", as the window connected to it
        QString key;
        QDateTime expires;
    };

    explicit SeatKeyFile(QString settingsFile) : file_(std::move(settingsFile)) {}

    // The stored key while it may still be valid.
    std::optional<Entry> valid() const;
    bool store(const Entry& entry) const;
    void forget() const;

private:
    QString file_;
};

#pragma once

#include "tally/tallygrid.h"

#include <QString>
#include <optional>

class Tlzrw1;

// The tally file: the grid's text in the compressor's "WRZL" container.
// The text passes through a unique temporary file, never a fixed name; the
// file is replaced in one rename, so a save that fails leaves the old one.
// Every file it writes is readable by its owner only.
class TallyFile {
public:
    // Uses `compressor` (kept by the caller) in Fast mode.
    TallyFile(QString path, Tlzrw1& compressor);
    virtual ~TallyFile();
    TallyFile(const TallyFile&) = delete;
    TallyFile& operator=(const TallyFile&) = delete;

    const QString& path() const { return path_; }
    // Where a tally that cannot be read is kept.
    QString badPath() const { return path_ + ".bad"; }

    struct Reading {
        std::optional<TallyGrid> grid; // nothing when the file could not be read
        QString failure;               // why not, for the player
    };
    // Reads the file and changes nothing. A missing file is an empty tally.
    Reading read();

    // Reads the file for a new run. A file that cannot be read is moved
    // aside to badPath() so that the next save does not destroy the only
    // copy; the run starts with an empty tally and `message` says why.
    TallyGrid load(QString* message);

    bool save(const TallyGrid& grid);

protected:
    // Compresses the text file into the container file. Tests replace it to
    // make a save fail half-way.
    virtual void writeContainer(const QString& textPath, const QString& containerPath);

private:
    QString path_;
    Tlzrw1& compressor_;
};

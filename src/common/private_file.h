#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryFile>

// Files that hold a player's secrets or private data (the settings with the
// seat's rejoin key, the tally) are the owner's alone: another account on the
// same computer must read none of them.
namespace privatefile {

// Creates folder and every missing folder above it, each open to the owner
// only. Folders that exist are left as they are. True when folder exists.
bool makeFolder(const QString& folder);

// Takes group and other permissions off an open regular file, so that a file
// the program writes again is the owner's alone from then on.
void narrow(int fd);

// A new version of a private file, written beside it and put in its place in
// one rename: a write that fails half-way leaves the old version whole. The
// new file is open to the owner only from its creation, so a wider mode of
// the old file goes with it.
class Replacement {
public:
    // A symbolic link is followed: its target is replaced, the link kept.
    explicit Replacement(const QString& target);

    // Creates the new file, empty and open for writing.
    bool open();
    QTemporaryFile& file() { return file_; }
    // Puts the new file on disk, then in the target's place.
    bool commit();

private:
    QString target_;
    QTemporaryFile file_; // removed unless committed
};

// Replaces target with bytes through a Replacement.
bool write(const QString& target, const QByteArray& bytes);

} // namespace privatefile

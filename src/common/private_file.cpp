#include "common/private_file.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace privatefile {

namespace {
constexpr mode_t kOwnerOnlyFolder = 0700;
constexpr mode_t kOthersBits = 0077;
} // namespace

bool makeFolder(const QString& folder) {
    if (folder.isEmpty())
        return false;
    const QByteArray path = QFile::encodeName(QDir::cleanPath(QDir(folder).absolutePath()));
    // Parent first; mkdir's mode, unlike QDir::mkpath's, is set as the folder is made.
    for (qsizetype end = 1; end <= path.size(); ++end) {
        if (end < path.size() && path[end] != '/')
            continue;
        const QByteArray part = path.left(end);
        struct stat info {};
        if (::stat(part.constData(), &info) == 0)
            continue;
        if (::mkdir(part.constData(), kOwnerOnlyFolder) != 0 && errno != EEXIST)
            return false;
    }
    return QFileInfo(folder).isDir();
}

void narrow(int fd) {
    struct stat info {};
    if (fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & kOthersBits))
        ::fchmod(fd, info.st_mode & ~kOthersBits & 07777);
}

Replacement::Replacement(const QString& target) : target_(target) {
    const QFileInfo info(target);
    if (info.isSymLink() && info.exists())
        target_ = info.canonicalFilePath();
}

// A temporary file is created with mode 0600 whatever the umask says.
bool Replacement::open() {
    file_.setFileTemplate(target_ + ".XXXXXX");
    return file_.open();
}

bool Replacement::commit() {
    if (!file_.isOpen() || !file_.flush() || ::fsync(file_.handle()) != 0)
        return false;
    const QByteArray from = QFile::encodeName(file_.fileName());
    const QByteArray to = QFile::encodeName(target_);
    if (std::rename(from.constData(), to.constData()) != 0)
        return false;
    file_.setAutoRemove(false); // it is the target now
    file_.close();
    return true;
}

bool write(const QString& target, const QByteArray& bytes) {
    Replacement replacement(target);
    return replacement.open() && replacement.file().write(bytes) == bytes.size() &&
           replacement.commit();
}

} // namespace privatefile

#pragma once

#include <QFile>
#include <QString>
#include <cstdio>
#include <string>
#include <sys/stat.h>

// Modes of files and folders as another account on the computer meets them.
namespace testsupport {

// The usual desktop umask, under which a careless write is readable by all.
class UsualUmask {
public:
    UsualUmask() : saved_(::umask(022)) {}
    ~UsualUmask() { ::umask(saved_); }
    UsualUmask(const UsualUmask&) = delete;
    UsualUmask& operator=(const UsualUmask&) = delete;

private:
    mode_t saved_;
};

// The permission bits in octal ("0600"); "none" when there is nothing there.
inline std::string modeOf(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return "none";
    char text[8];
    std::snprintf(text, sizeof text, "%04o", unsigned(info.st_mode & 07777));
    return text;
}

// Makes a file readable by everyone, as an older program version left it.
inline bool makeWorldReadable(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() &&
           ::chmod(QFile::encodeName(path).constData(), 0644) == 0;
}

} // namespace testsupport

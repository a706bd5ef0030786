#include "common/environment.h"

#include "common/private_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>

namespace environment {

QString gamePortName() {
    const QString port = qEnvironmentVariable("LUDOMYRA_PORT").trimmed();
    return port.isEmpty() ? QString::number(kDefaultGamePort) : port;
}

quint16 discoveryPort() {
    bool ok = false;
    const uint port = qEnvironmentVariable("LUDOMYRA_DISCOVERY_PORT").trimmed().toUInt(&ok);
    return ok && port <= 65535 ? quint16(port) : kDefaultDiscoveryPort;
}

static bool writableDir(const QString& dir) {
    const QFileInfo info(dir);
    return !dir.isEmpty() && info.isDir() && info.isWritable();
}

// LUDOMYRA_HOME if set; else the program's folder when writable; else the
// per-user folder of that kind. A folder made here is the owner's alone: it
// holds the settings and the tally.
static QString dataDir(QStandardPaths::StandardLocation userLocation) {
    const QString home = qEnvironmentVariable("LUDOMYRA_HOME");
    if (!home.isEmpty()) {
        privatefile::makeFolder(home);
        return home;
    }
    const QString programDir = QCoreApplication::applicationDirPath();
    if (writableDir(programDir))
        return programDir;
    const QString userDir = QStandardPaths::writableLocation(userLocation);
    privatefile::makeFolder(userDir);
    return userDir;
}

QString homeDir() {
    return dataDir(QStandardPaths::AppDataLocation);
}

QString settingsDir() {
    return dataDir(QStandardPaths::AppConfigLocation);
}

QString settingsFile() {
    return QDir(settingsDir()).filePath("glenmorra.ini");
}

QString homeFile(const QString& fileName) {
    return QDir(homeDir()).filePath(fileName);
}

double timeScale() {
    bool ok = false;
    const double scale = qEnvironmentVariable("LUDOMYRA_TIME_SCALE").toDouble(&ok);
    return (ok && scale > 0 && std::isfinite(scale)) ? scale : 1.0;
}

int scaledInterval(int milliseconds) {
    return std::max(1, static_cast<int>(std::lround(milliseconds * timeScale())));
}

} // namespace environment

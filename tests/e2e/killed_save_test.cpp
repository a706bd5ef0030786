// A process killed while it saves the tally or the settings leaves the
// previous file whole: both are written to a temporary file and renamed
// over the old one. The saver is killed at many moments of its saves.
#include "common/inifile.h"
#include "event_wait.h"
#include "save_versions.h"
#include "tally/tallyfile.h"
#include "tally/tlzrw1.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

constexpr int kKills = 20;

// Starts the saver, lets it save for a random while, and kills it. Its
// temporary files go to its home folder.
void killWhileSaving(const QString& kind, const QString& path, QRandomGenerator& random) {
    QProcess saver;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", QFileInfo(path).path());
    saver.setProcessEnvironment(env);
    saver.start(SAVE_LOOP_BINARY, {kind, path});
    ASSERT_TRUE(saver.waitForStarted(5000));
    ASSERT_TRUE(testsupport::waitFor([&] { return saver.canReadLine(); }, 20000))
        << saver.readAllStandardError().toStdString();
    QThread::usleep(random.bounded(40000));
    saver.kill();
    ASSERT_TRUE(saver.waitForFinished(5000));
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Which of the two versions a file holds; -1 when it is neither, whole.
using VersionReader = std::function<int(const QString& path)>;

VersionReader tallyVersions() {
    return [](const QString& path) {
        Tlzrw1 compressor;
        const TallyFile::Reading reading = TallyFile(path, compressor).read();
        for (int version : {0, 1})
            if (reading.grid && reading.grid->toText() == saveversions::tally(version).toText())
                return version;
        return -1;
    };
}

VersionReader settingsVersions(const QString& folder) {
    QList<QByteArray> saved;
    for (int version : {0, 1}) {
        const QString path = folder + QStringLiteral("/version%1.ini").arg(version);
        saveversions::settings(path, version).save();
        saved.append(contentOf(path));
    }
    return [saved](const QString& path) {
        return int(saved.indexOf(contentOf(path)));
    };
}

void killManyTimes(const QString& kind, const QString& fileName,
                   const std::function<VersionReader(const QString&)>& reader) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString path = home.filePath(fileName);
    const VersionReader versionOf = reader(home.path());
    QRandomGenerator random(7);
    for (int kill = 0; kill < kKills; ++kill) {
        killWhileSaving(kind, path, random);
        ASSERT_NE(versionOf(path), -1) << "after kill " << kill;
    }
}

TEST(KilledWhileSaving, TheTallyFileIsAlwaysOneWholeVersion) {
    killManyTimes("tally", "Ludomyratally.tld", [](const QString&) { return tallyVersions(); });
}

TEST(KilledWhileSaving, TheSettingsFileIsAlwaysOneWholeVersion) {
    killManyTimes("settings", "glenmorra.ini", settingsVersions);
}

} // namespace

// Settings hold the seat's rejoin key: another account on the computer must
// not read them, nor the folders the program makes for them.
#include "common/environment.h"
#include "common/inifile.h"
#include "file_modes.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using testsupport::modeOf;

TEST(PrivateFiles, SettingsAreTheOwnersAloneAlsoWhenAnOlderFileWasReadableByAll) {
    const testsupport::UsualUmask umask;
    QTemporaryDir dir;
    const QString fresh = dir.filePath("fresh.ini");
    IniFile created(fresh);
    created.writeString("Ludomyra", "Rejoin", "192.0.2.1:7772|KEY|2030-01-01T00:00:00Z");
    ASSERT_TRUE(created.save());
    EXPECT_EQ(modeOf(fresh), "0600");

    const QString older = dir.filePath("glenmorra.ini");
    ASSERT_TRUE(testsupport::makeWorldReadable(older, "[Ludomyra]\r\nPlayername=Ann\r\n"));
    IniFile rewritten(older);
    ASSERT_TRUE(rewritten.load());
    rewritten.writeString("Ludomyra", "Rejoin", "192.0.2.1:7772|KEY|2030-01-01T00:00:00Z");
    ASSERT_TRUE(rewritten.save());
    EXPECT_EQ(modeOf(older), "0600");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"fresh.ini", "glenmorra.ini"}))
        << "no temporary file is left behind";

    // Through a link, the file it leads to is replaced and the link stays.
    const QString link = dir.filePath("linked.ini");
    ASSERT_TRUE(QFile::link(older, link));
    IniFile throughLink(link);
    ASSERT_TRUE(throughLink.load());
    throughLink.writeString("Ludomyra", "Playername", "Bob");
    ASSERT_TRUE(throughLink.save());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    IniFile reread(older);
    ASSERT_TRUE(reread.load());
    EXPECT_EQ(reread.readString("Ludomyra", "Playername", ""), "Bob");
}

TEST(PrivateFiles, FoldersMadeForSettingsAreTheOwnersAloneAndOthersAreLeftAsTheyWere) {
    const testsupport::UsualUmask umask;
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("shared"));
    const QString shared = dir.filePath("shared");
    ::chmod(QFile::encodeName(shared).constData(), 0755);
    const QString home = shared + "/games/ludomyra";
    qputenv("LUDOMYRA_HOME", QFile::encodeName(home));
    const QString settings = environment::settingsFile();
    qunsetenv("LUDOMYRA_HOME");

    EXPECT_EQ(settings, home + "/glenmorra.ini");
    EXPECT_EQ(modeOf(shared + "/games"), "0700");
    EXPECT_EQ(modeOf(home), "0700");
    EXPECT_EQ(modeOf(shared), "0755") << "a folder that was there is not the program's to change";
}

} // namespace

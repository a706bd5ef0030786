#include "common/inifile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QString write(const QByteArray& content) {
        const QString path = dir.filePath("glenmorra.ini");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }
    QByteArray read(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    QTemporaryDir dir;
};

TEST_F(IniFileTest, KeysAndSectionsMatchWithoutCaseAndValuesKeepCommas) {
    IniFile ini(write("[ludomyra]\r\nphrase1=Wow, WTG!\r\nBOTSPEED = 2000 \rTop=4\n"));
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.readString("Ludomyra", "Phrase1", "x"), "Wow, WTG!");
    EXPECT_EQ(ini.readString("Ludomyra", "Botspeed", "x"), "2000");
    EXPECT_EQ(ini.readString("Ludomyra", "Top", "x"), "4"); // a lone CR ends a line too
    EXPECT_EQ(ini.readString("Ludomyra", "Missing", "dflt"), "dflt");
    EXPECT_EQ(ini.readString("Other", "Phrase1", "dflt"), "dflt");
}

TEST_F(IniFileTest, IntegersAcceptDecimalDollarHexAndZeroXHex) {
    struct Case {
        const char* text;
        std::optional<int> expected;
    };
    const Case cases[] = {{"12", 12},  {"-3", -3}, {"$1F", 31},  {"0x10", 16}, {"0X0a", 10},
                          {"abc", {}}, {"", {}},   {"12px", {}}, {"$", {}}};
    for (const Case& c : cases)
        EXPECT_EQ(IniFile::parseInteger(c.text), c.expected) << c.text;
    IniFile ini(write("[Ludomyra]\nTextsize=big\nTop=$10\n"));
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.readInteger("Ludomyra", "Textsize", 8), 8);
    EXPECT_EQ(ini.readInteger("Ludomyra", "Top", 3), 16);
    EXPECT_EQ(ini.readInteger("Ludomyra", "Left", 3), 3);
}

TEST_F(IniFileTest, WritingKeepsOtherSectionsKeysAndComments) {
    const QString path =
        write("; mine\n[Other]\nKey=1\n[Ludomyra]\nTop=5\nExtra=keep\n\n[Last]\nA=b\n");
    IniFile ini(path);
    ASSERT_TRUE(ini.load());
    ini.writeInteger("Ludomyra", "top", 9);
    ini.writeString("Ludomyra", "Botspeed", "500");
    ini.writeString("New", "K", "v");
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(read(path), QByteArray("; mine\r\n[Other]\r\nKey=1\r\n[Ludomyra]\r\ntop=9\r\n"
                                     "Extra=keep\r\nBotspeed=500\r\n\r\n[Last]\r\nA=b\r\n"
                                     "[New]\r\nK=v\r\n"));
}

TEST_F(IniFileTest, MissingFileLoadsEmptyAndIsCreatedOnSave) {
    const QString path = dir.filePath("sub-missing.ini");
    IniFile ini(path);
    ASSERT_TRUE(ini.load());
    EXPECT_FALSE(ini.value("Ludomyra", "Top").has_value());
    ini.writeString("Ludomyra", "Top", "3");
    ASSERT_TRUE(ini.save());
    IniFile again(path);
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.readInteger("Ludomyra", "Top", 0), 3);
}

} // namespace

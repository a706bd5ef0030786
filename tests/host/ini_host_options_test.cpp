#include "host/ini_host_options.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class IniHostOptionsTest : public ::testing::Test {
protected:
    IniHostOptions optionsFrom(const QByteArray& content) {
        QFile file(dir.filePath("glenmorra.ini"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        return IniHostOptions(file.fileName());
    }
    QTemporaryDir dir;
};

TEST_F(IniHostOptionsTest, ReadsBotSpeedAndPauseFromTheLudomyraSection) {
    const IniHostOptions options = optionsFrom(
        "[Other]\r\nBotspeed=500\r\n[ludomyra]\r\nbotspeed=2000\r\nBetweenrounds=10\r\n");
    EXPECT_EQ(options.botSpeedMs(), 2000);
    EXPECT_EQ(options.betweenRoundsTicks(), 10);
}

TEST_F(IniHostOptionsTest, MissingFileOrUnreadableValuesGiveTheDefaults) {
    const IniHostOptions missing(dir.filePath("none.ini"));
    EXPECT_EQ(missing.botSpeedMs(), 1000);
    EXPECT_EQ(missing.betweenRoundsTicks(), 5);
    const IniHostOptions odd = optionsFrom("[Ludomyra]\nBotspeed=fast\nBetweenrounds=-3\n");
    EXPECT_EQ(odd.botSpeedMs(), 1000);
    EXPECT_EQ(odd.betweenRoundsTicks(), 5);
}

TEST_F(IniHostOptionsTest, ValuesAreMappedAsTheOptionMenusDo) {
    const std::vector<std::pair<QString, int>> speeds = {
        {"2000", 2000}, {"500", 500}, {"1000", 1000}, {"750", 1000}, {"", 1000}};
    for (const auto& [text, expected] : speeds)
        EXPECT_EQ(IniHostOptions::botSpeedFromText(text), expected) << text.toStdString();
    const std::vector<std::pair<QString, int>> pauses = {{"10", 10}, {"5", 5}, {"7", 7},
                                                         {"0", 0},   {"x", 5}, {"99999", 5}};
    for (const auto& [text, expected] : pauses)
        EXPECT_EQ(IniHostOptions::betweenRoundsFromText(text), expected) << text.toStdString();
}

TEST_F(IniHostOptionsTest, TheTableRulesAreOnOnlyWhenSetToOne) {
    const IniHostOptions missing(dir.filePath("none.ini"));
    EXPECT_FALSE(missing.botFair());
    EXPECT_FALSE(missing.exactMarks());
    const IniHostOptions both = optionsFrom("[Ludomyra]\r\nBotfair=1\r\nEXACTMARKS=1\r\n");
    EXPECT_TRUE(both.botFair());
    EXPECT_TRUE(both.exactMarks());
    const IniHostOptions odd = optionsFrom("[Ludomyra]\nBotfair=true\nExactmarks=0\n");
    EXPECT_FALSE(odd.botFair());
    EXPECT_FALSE(odd.exactMarks());
}

TEST_F(IniHostOptionsTest, AnEditTakesEffectAtTheNextRead) {
    const IniHostOptions options = optionsFrom("[Ludomyra]\nBotspeed=500\n");
    EXPECT_EQ(options.botSpeedMs(), 500);
    optionsFrom("[Ludomyra]\nBotspeed=2000\n");
    EXPECT_EQ(options.botSpeedMs(), 2000);
}

} // namespace

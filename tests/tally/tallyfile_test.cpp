// The tally text layout and the tally file's safe replacement.
#include "file_modes.h"
#include "tally/tallyfile.h"
#include "tally_test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tallytest;

namespace {

TallyGrid gridWithAnn() {
    TallyGrid grid;
    grid.addit(TallyGrid::kMyGames, 0);
    grid.addRow("Ann");
    grid.addit(TallyGrid::Games, 1);
    grid.addit(TallyGrid::HisWins, 1);
    grid.addit(TallyGrid::SessionGames, 1);
    return grid;
}

TEST(TallyText, CellsGoColumnByColumnOnCrLfLines) {
    const QByteArray text = gridWithAnn().toText();
    EXPECT_EQ(text, "9\r\n2\r\n"
                    "0\r\nAnn\r\n" // column 0
                    "1\r\n1\r\n"   // games
                    "0\r\n1\r\n"   // wins
                    "0\r\n0\r\n0\r\n0\r\n"
                    "0\r\n1\r\n" // session games
                    "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    const std::optional<TallyGrid> back = TallyGrid::fromText(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->toText(), text);
}

TEST(TallyText, AnEditedTallyIsReadIfItKeepsTheLayout) {
    // Line ends of a text editor, and an opponent's empty counts.
    QByteArray lf = gridWithAnn().toText().replace("\r\n", "\n");
    lf.replace("0\n0\n0\n0\n0\n1\n", "0\n0\n0\n0\n0\n\n");
    const std::optional<TallyGrid> grid = TallyGrid::fromText(lf);
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->cell(TallyGrid::SessionGames, 1), "");
    EXPECT_EQ(grid->count(TallyGrid::HisWins, 1), 1);
}

TEST(TallyText, ATextThatIsNotATallyIsRefused) {
    const QByteArray good = gridWithAnn().toText();
    const struct {
        const char* what;
        QByteArray text;
    } bad[] = {
        {"empty", ""},
        {"eight columns", QByteArray(good).replace(0, 1, "8")},
        {"no rows", "9\r\n0\r\n"},
        {"rows missing", good.left(good.size() - 6)},
        {"a count that is no number", QByteArray(good).replace("1\r\n1\r\n", "1\r\nx\r\n")},
        {"a negative count", QByteArray(good).replace("1\r\n1\r\n", "1\r\n-1\r\n")},
        {"an empty own total", QByteArray(good).replace("Ann\r\n1\r\n", "Ann\r\n\r\n")},
    };
    for (const auto& c : bad)
        EXPECT_FALSE(TallyGrid::fromText(c.text).has_value()) << c.what;
}

// Writes half of the container, then fails as a full disk would.
class HalfWritingTallyFile : public TallyFile {
public:
    using TallyFile::TallyFile;

protected:
    void writeContainer(const QString& textPath, const QString& containerPath) override {
        TallyFile::writeContainer(textPath, containerPath);
        QFile container(containerPath);
        container.resize(container.size() / 2);
        throw ELzrw1Exception("Lzrw1 : Error writing to output file : " + containerPath);
    }
};

class TallyFileSave : public ::testing::Test {
protected:
    QTemporaryDir dir;
    const QString path = dir.filePath("Ludomyratally.tld");
    Tlzrw1 compressor;
    TallyFile file{path, compressor};
};

TEST_F(TallyFileSave, AFailedSaveLeavesThePreviousTallyWhole) {
    ASSERT_TRUE(file.save(gridWithAnn()));
    const QByteArray before = readFile(path);

    TallyGrid changed = gridWithAnn();
    changed.addRow("Bob");
    HalfWritingTallyFile failing(path, compressor);
    EXPECT_FALSE(failing.save(changed));

    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Ludomyratally.tld"});
    const TallyFile::Reading reading = file.read();
    ASSERT_TRUE(reading.grid);
    EXPECT_EQ(reading.grid->toText(), gridWithAnn().toText());
}

// Who plays whom is private: another account on the computer reads nothing.
TEST_F(TallyFileSave, TheTallyIsTheOwnersAloneAlsoWhenAnOlderOneWasReadableByAll) {
    const testsupport::UsualUmask umask;
    ASSERT_TRUE(file.save(TallyGrid()));
    EXPECT_EQ(testsupport::modeOf(path), "0600");
    ASSERT_TRUE(testsupport::makeWorldReadable(path, readFile(path)));
    ASSERT_TRUE(file.save(gridWithAnn()));
    EXPECT_EQ(testsupport::modeOf(path), "0600");
    const TallyFile::Reading reading = file.read();
    ASSERT_TRUE(reading.grid);
    EXPECT_EQ(reading.grid->toText(), gridWithAnn().toText());
}

} // namespace

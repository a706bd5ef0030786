// ludomyra-tally run as a player runs it: on files, from the command line.
#include "file_modes.h"
#include "tally_window_support.h"

#include <QFileInfo>
#include <QProcess>

using namespace tallytest;

namespace {

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ToolRun runTool(const QStringList& args) {
    QProcess tool;
    tool.start(LUDO_TALLY_TOOL, args);
    if (!tool.waitForFinished(30000))
        return {};
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1,
            tool.readAllStandardOutput(), tool.readAllStandardError()};
}

class TallyTool : public TallyWindowTest {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
};

// What it writes is a tally or its text: the owner's alone, even where an
// older file readable by all is overwritten.
TEST_F(TallyTool, CompressAndExpandMakeTheContainerAndTakeItApart) {
    const testsupport::UsualUmask umask; // the tool inherits it
    ASSERT_TRUE(writeFile(path("abc.txt"), "abc"));
    const ToolRun packed = runTool({"compress", path("abc.txt"), path("abc.tld")});
    EXPECT_EQ(packed.exitCode, 0);
    EXPECT_EQ(packed.err, "");
    EXPECT_EQ(readFile(path("abc.tld")), bytes("57 52 5A 4C 03 00 00 00 04 00 80 61 62 63"));
    EXPECT_EQ(testsupport::modeOf(path("abc.tld")), "0600");

    ASSERT_TRUE(testsupport::makeWorldReadable(path("back.txt"), "older text"));
    const ToolRun unpacked = runTool({"expand", path("abc.tld"), path("back.txt")});
    EXPECT_EQ(unpacked.exitCode, 0);
    EXPECT_EQ(readFile(path("back.txt")), "abc");
    EXPECT_EQ(testsupport::modeOf(path("back.txt")), "0600");
}

TEST_F(TallyTool, FailuresExitNonZeroWithTheMessageAndLeaveNoOutput) {
    ASSERT_TRUE(writeFile(path("junk.tld"), "JUNKJUNK"));
    ASSERT_TRUE(writeFile(path("cut.tld"), bytes("57 52 5A 4C 03 00 00 00 04 00 80 61")));
    const struct {
        QStringList args;
        QString message;
    } cases[] = {
        {{"expand", path("junk.tld"), path("out")},
         path("junk.tld") + " : Lzrw1 decompression : this file has no valid header !"},
        {{"expand", path("cut.tld"), path("out")},
         "Lzrw1 : Error reading from input file : " + path("cut.tld")},
        {{"compress", path("missing.txt"), path("out")},
         "Lzrw1 compression : Failed to obtain the size of : " + path("missing.txt")},
        {{"show", path("junk.tld")},
         path("junk.tld") + " : Lzrw1 decompression : this file has no valid header !"},
        {{"show", path("missing.tld")}, path("missing.tld") + " : no such file"},
    };
    for (const auto& c : cases) {
        const ToolRun run = runTool(c.args);
        EXPECT_EQ(run.exitCode, 1) << c.args.join(' ').toStdString();
        EXPECT_EQ(QString::fromLocal8Bit(run.err), c.message + "\n");
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(QFileInfo::exists(path("out")));
    }
    const ToolRun wrong = runTool({"show"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_TRUE(wrong.err.startsWith("usage: ludomyra-tally expand IN OUT\n")) << wrong.err.data();
}

TEST_F(TallyTool, ShowListsTheGamesCountedInEarlierRuns) {
    {
        auto window = openWindow();
        follow(*window, "Ann");
        follow(*window, "Bob");
        window->addgame("Ann");
        window->addgame(Ttallylist::kPlayerWon);
    }
    {
        auto window = openWindow();
        seats.names = {"Bob"};
        window->addgame("Bob");
    }
    const ToolRun run = runTool({"show", tallyPath()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.toStdString(),
              "Total Games: 3\n"
              "Your Wins: 1\n"
              "\n"
              "        Total                                    Session\n"
              "Player  Games  His Wins  Your Wins  Neither Won    Games  His Wins  Your Wins  "
              "Neither Won\n"
              "Ann         2         1          1            0        0         0          0"
              "            0\n"
              "Bob         3         1          1            1        1         1          0"
              "            0\n");

    ASSERT_TRUE(writeFile(path("empty.tld"), bytes("57 52 5A 4C 00 00 00 00 01 00 80")));
    EXPECT_EQ(runTool({"show", path("empty.tld")}).err,
              path("empty.tld") + " : this file does not hold a readable tally !\n");
}

TEST_F(TallyTool, AnExpandedTallyCanBeEditedAndPackedBack) {
    {
        auto window = openWindow();
        window->addgame(Ttallylist::kPlayerWon);
    }
    ASSERT_EQ(runTool({"expand", tallyPath(), path("tally.txt")}).exitCode, 0);
    QByteArray text = readFile(path("tally.txt"));
    ASSERT_EQ(text, tallyText({"9", "1", "0", "1", "1", "0", "0", "0", "0", "0", "0"}));
    text.replace("0\r\n1\r\n1\r\n", "0\n7\n5\n"); // an editor's line ends
    ASSERT_TRUE(writeFile(path("tally.txt"), text));
    ASSERT_EQ(runTool({"compress", path("tally.txt"), tallyPath()}).exitCode, 0);

    auto window = openWindow();
    EXPECT_EQ(shown(*window, "mylabel_1"), "7");
    EXPECT_EQ(shown(*window, "mylabel_2"), "5");
    EXPECT_TRUE(prompts.notices.isEmpty());
}

} // namespace

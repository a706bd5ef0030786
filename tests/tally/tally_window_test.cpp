// The tally window as a player meets it: games counted at the end of each
// game, following and unfollowing, reset, and the tally across restarts.
#include "pixel_look.h"
#include "tally_window_support.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>

using namespace tallytest;

namespace {

const QStringList kZeros{"0", "0", "0", "0", "0", "0", "0", "0"};

TEST_F(TallyWindowTest, FirstRunStartsEmptyAndCountsEveryGameOfThePlayer) {
    auto window = openWindow();
    EXPECT_EQ(window->windowTitle(), "Ludomyra - Tally List");
    EXPECT_EQ(shown(*window, "mylabel_1"), "0");
    EXPECT_EQ(shown(*window, "mylabel_2"), "0");
    EXPECT_TRUE(itemsOf(list(*window, "listbox_tally")).isEmpty());
    EXPECT_TRUE(prompts.notices.isEmpty());

    seats.names = {"Bob"}; // at the table, not followed
    window->addgame(Ttallylist::kPlayerWon);
    EXPECT_EQ(shown(*window, "mylabel_1"), "1");
    EXPECT_EQ(shown(*window, "mylabel_2"), "1");
    EXPECT_EQ(itemsOf(list(*window, "checklist")), QStringList{"Bob"});

    // Saved at once, not only at the end of the run.
    const QByteArray oneGame = tallyText({"9", "1", "0", "1", "1", "0", "0", "0", "0", "0", "0"});
    EXPECT_EQ(savedText(), oneGame);
    window.reset();
    EXPECT_EQ(savedText(), oneGame);
}

TEST_F(TallyWindowTest, FollowingAddsOneRowOfZerosPerName) {
    auto window = openWindow();
    seats.names = {"Ann", "Bob"};
    window->loadchecklist();
    EXPECT_EQ(itemsOf(list(*window, "checklist")), (QStringList{"Ann", "Bob"}));

    tick(*window, "checklist", "Ann", true);
    tick(*window, "checklist", "Ann", false); // unticking never stops following
    tick(*window, "checklist", "Ann", true);
    EXPECT_EQ(itemsOf(list(*window, "listbox_tally")), QStringList{"+Ann"});
    EXPECT_EQ(countersOf(*window, "Ann"), kZeros);
    EXPECT_EQ(savedText(), tallyText({"9", "2", "0", "Ann", "0", "0", "0", "0", "0", "0",
                                      "0", "0", "0", "0",   "0", "0", "0", "0", "0", "0"}));

    // Names match without regard to case.
    seats.names = {"ANN", "Bob", "ann"};
    window->loadchecklist();
    EXPECT_EQ(itemsOf(list(*window, "checklist")), (QStringList{"+ANN", "Bob"}));
    tick(*window, "checklist", "ANN", false);
    tick(*window, "checklist", "ANN", true);
    EXPECT_EQ(itemsOf(list(*window, "listbox_tally")), QStringList{"+Ann"});
}

TEST_F(TallyWindowTest, EachOutcomeCountsForFollowedOpponentsAtTheTable) {
    auto window = openWindow();
    follow(*window, "Ann");
    follow(*window, "Dan");
    seats.names = {"Ann", "Cleo"}; // Dan has left; Cleo is not followed

    window->addgame("Cleo");
    EXPECT_EQ(countersOf(*window, "Ann"), (QStringList{"1", "0", "0", "1", "1", "0", "0", "1"}));
    window->addgame("Ann");
    EXPECT_EQ(countersOf(*window, "Ann"), (QStringList{"2", "1", "0", "1", "2", "1", "0", "1"}));
    EXPECT_EQ(shown(*window, "label_hisname"), "Ann Wins:");
    EXPECT_EQ(shown(*window, "label_hisnametop"), "Ann's Tally");
    window->addgame(Ttallylist::kPlayerWon);
    // The selected opponent's counters refresh by themselves.
    EXPECT_EQ(shown(*window, "label_3"), "1");
    EXPECT_EQ(shown(*window, "label_7"), "1");

    EXPECT_EQ(countersOf(*window, "Dan"), kZeros);
    EXPECT_EQ(shown(*window, "mylabel_1"), "3");
    EXPECT_EQ(shown(*window, "mylabel_2"), "1");
}

// A person played and not followed is offered once a run; ticking the name
// before the next game ends counts the game just played, and only that one.
TEST_F(TallyWindowTest, AnUnfollowedPersonIsOfferedOnceAndTickingCountsTheLastGame) {
    auto window = openWindow();
    QStringList offers;
    window->offerFollowing = [&](const QString& name) {
        offers << name;
    };
    EXPECT_FALSE(shown(*window, "label_ticknote").isEmpty());

    seats.names = {"Bob", "Klot"};
    window->addgame("Bob");
    EXPECT_EQ(offers, QStringList{"Bob"});
    follow(*window, "Bob");
    EXPECT_EQ(countersOf(*window, "Bob"), (QStringList{"1", "1", "0", "0", "1", "1", "0", "0"}));

    seats.names = {"Bob", "Cid"};
    window->addgame("Cid");
    window->addgame(Ttallylist::kPlayerWon);
    EXPECT_EQ(offers, (QStringList{"Bob", "Cid"}));
    follow(*window, "Cid");
    EXPECT_EQ(countersOf(*window, "Cid"), (QStringList{"1", "0", "1", "0", "1", "0", "1", "0"}));
    EXPECT_EQ(countersOf(*window, "Bob"), (QStringList{"3", "1", "1", "1", "3", "1", "1", "1"}));
    follow(*window, "Klot"); // followed by choice: counts from the next game
    EXPECT_EQ(countersOf(*window, "Klot"), kZeros);
}

TEST_F(TallyWindowTest, ARestartKeepsTotalsAndStartsANewSession) {
    {
        auto window = openWindow();
        follow(*window, "Ann");
        window->addgame("Ann");
        window->addgame(Ttallylist::kPlayerWon);
    }
    auto window = openWindow();
    EXPECT_EQ(shown(*window, "mylabel_1"), "2");
    EXPECT_EQ(shown(*window, "mylabel_2"), "1");
    EXPECT_EQ(itemsOf(list(*window, "listbox_tally")), QStringList{"+Ann"});
    EXPECT_EQ(countersOf(*window, "Ann"), (QStringList{"2", "1", "1", "0", "0", "0", "0", "0"}));
    window->addgame("Ann");
    EXPECT_EQ(countersOf(*window, "Ann"), (QStringList{"3", "2", "1", "0", "1", "1", "0", "0"}));
}

TEST_F(TallyWindowTest, UnfollowingAsksAndMovesTheRowsBelowUp) {
    auto window = openWindow();
    for (const char* name : {"Ann", "Bob", "Cleo"})
        follow(*window, name);
    seats.names = {"Bob", "Cleo"};
    window->addgame("Bob");
    seats.names = {"Cleo"};
    window->addgame("Cleo");
    const QStringList cleo{"2", "1", "0", "1", "2", "1", "0", "1"};

    prompts.answerYes = false;
    tick(*window, "listbox_tally", "Bob", false);
    EXPECT_EQ(prompts.questions,
              QStringList{"This will delete Bob's Tally, Are you want to delete it?"});
    EXPECT_EQ(itemsOf(list(*window, "listbox_tally")), (QStringList{"+Ann", "+Bob", "+Cleo"}));
    EXPECT_EQ(countersOf(*window, "Bob"), (QStringList{"1", "1", "0", "0", "1", "1", "0", "0"}));

    prompts.answerYes = true;
    tick(*window, "listbox_tally", "Bob", false);
    EXPECT_EQ(itemsOf(list(*window, "listbox_tally")), (QStringList{"+Ann", "+Cleo"}));
    EXPECT_EQ(countersOf(*window, "Cleo"), cleo);
    EXPECT_EQ(countersOf(*window, "Ann"), kZeros);
    // The saved grid lost Bob's row too.
    window.reset();
    window = openWindow();
    EXPECT_EQ(itemsOf(list(*window, "listbox_tally")), (QStringList{"+Ann", "+Cleo"}));
    EXPECT_EQ(countersOf(*window, "Cleo").mid(0, 4), cleo.mid(0, 4));
}

TEST_F(TallyWindowTest, ResetAsksThenClearsEverything) {
    auto window = openWindow();
    follow(*window, "Ann");
    window->addgame("Ann");
    countersOf(*window, "Ann");

    prompts.answerYes = false;
    click(*window, "button_reset");
    EXPECT_EQ(prompts.questions, QStringList{"Are you sure you want to reset the Tally?"});
    EXPECT_EQ(shown(*window, "mylabel_1"), "1");
    EXPECT_EQ(itemsOf(list(*window, "listbox_tally")), QStringList{"+Ann"});

    prompts.answerYes = true;
    click(*window, "button_reset");
    EXPECT_EQ(shown(*window, "mylabel_1"), "0");
    EXPECT_EQ(shown(*window, "mylabel_2"), "0");
    EXPECT_TRUE(itemsOf(list(*window, "listbox_tally")).isEmpty());
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(shown(*window, QString("label_%1").arg(i)), "0");
    EXPECT_EQ(shown(*window, "label_hisname"), "Ann Wins:");
    EXPECT_EQ(savedText(), tallyText({"9", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));
}

// The window's light captions on felt must not reach the boxes it opens: its
// question reads dark on light like any other box. No caption is a
// placeholder before an opponent is chosen.
TEST_F(TallyWindowTest, ItsQuestionsReadClearlyAndNoCaptionIsAPlaceholder) {
    MessageBoxPrompts boxes;
    Ttallylist window(tallyPath(), boxes);
    window.show();
    for (const QLabel* label : window.findChildren<QLabel*>())
        EXPECT_FALSE(label->text().contains("XX")) << label->text().toStdString();

    QString asked;
    double legible = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        asked = box->text();
        const QLabel* text = box->findChild<QLabel*>("qt_msgbox_label");
        const QImage image = box->grab().toImage();
        const QRect area(text->mapTo(box, QPoint(0, 0)), text->size());
        legible =
            testsupport::strongestContrast(image, area, testsupport::commonestColour(image, area));
        box->button(QMessageBox::No)->click();
    });
    poll.start(10);
    click(window, "button_reset");
    EXPECT_EQ(asked, "Are you sure you want to reset the Tally?");
    EXPECT_GE(legible, 4.5);
}

TEST_F(TallyWindowTest, DoneHidesTheWindowAndChangesNothing) {
    auto window = openWindow();
    window->addgame(Ttallylist::kPlayerWon);
    const QByteArray before = readFile(tallyPath());
    click(*window, "button_done");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(readFile(tallyPath()), before);
}

TEST_F(TallyWindowTest, AnUnreadableTallyIsReportedKeptAsBadAndReplaced) {
    const struct {
        const char* what;
        QByteArray file;
        QString reason;
    } cases[] = {
        {"no container", "JUNKJUNKJUNK",
         tallyPath() + " : Lzrw1 decompression : this file has no valid header !"},
        {"no tally inside", compressed("9\r\n1\r\nnot a tally\r\n"),
         tallyPath() + " : this file does not hold a readable tally !"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(writeFile(tallyPath(), c.file));
        prompts.notices.clear();
        auto window = openWindow();
        EXPECT_EQ(prompts.notices, QStringList{c.reason + "\nThe tally was kept as " + tallyPath() +
                                               ".bad and a new tally was started."})
            << c.what;
        EXPECT_EQ(readFile(tallyPath() + ".bad"), c.file) << c.what;
        EXPECT_EQ(shown(*window, "mylabel_1"), "0") << c.what;
        window->addgame(Ttallylist::kPlayerWon);
        EXPECT_EQ(savedText(), tallyText({"9", "1", "0", "1", "1", "0", "0", "0", "0", "0", "0"}))
            << c.what;
    }
}

TEST_F(TallyWindowTest, TheTextNeverPassesThroughAFileOfTheUsers) {
    QTemporaryDir work;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(work.path());
    ASSERT_TRUE(writeFile(work.filePath("temp.txt"), "my own notes"));
    {
        auto window = openWindow();
        follow(*window, "Ann");
        window->addgame("Ann");
    }
    auto window = openWindow();
    QDir::setCurrent(previous);
    EXPECT_EQ(readFile(work.filePath("temp.txt")), "my own notes");
    EXPECT_EQ(QDir(work.path()).entryList(QDir::Files), QStringList{"temp.txt"});
    // Nothing but the tally is left in its folder either.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Ludomyratally.tld"});
}

TEST_F(TallyWindowTest, NamesThatCannotBeSavedOnOneLineAreNotFollowed) {
    auto window = openWindow();
    seats.names = {"Ann\r\nBob"};
    window->loadchecklist();
    tick(*window, "checklist", "Ann\r\nBob", true);
    EXPECT_TRUE(itemsOf(list(*window, "listbox_tally")).isEmpty());
}

TEST_F(TallyWindowTest, TheProgramsTallyLivesInTheHomeFolder) {
    qputenv("LUDOMYRA_HOME", dir.path().toLocal8Bit());
    {
        Ttallylist window; // asks with real message boxes: none may come up
        window.addgame(Ttallylist::kPlayerWon);
    }
    qunsetenv("LUDOMYRA_HOME");
    EXPECT_EQ(savedText(), tallyText({"9", "1", "0", "1", "1", "0", "0", "0", "0", "0", "0"}));
}

} // namespace

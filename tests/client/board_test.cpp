// The guess board through the window: keys into the five edits, the host's
// judged rows and turns, and what a player reads on the board afterwards.
#include "client/board/guess_row.h"
#include "client/board/word_list_panel.h"
#include "client/chat/chat_entry.h"
#include "client/chat/chat_part.h"
#include "client/look/widget_look.h"
#include "client_harness.h"
#include "pixel_look.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace clienttest {
namespace {

class BoardTest : public ClientHarness {
protected:
    // Seat 1 at a new word whose first letter is H, with the turn.
    void myTurn() {
        logIn(1);
        hostSays({"CMD_startgame+Ann+high+0+", "CMD_loadball+3+H+", "CMD_nextplayer+1+1+"});
        sent();
        chat->activateWindow();
        edit(1)->setFocus();
    }
    GuessRow* row() const { return probe().board().guessRow(); }
    LetterEdit* edit(int column) const { return row()->edit(column); }
    // Keys go where the focus is, as a player's typing does.
    void press(Qt::Key key) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_TRUE(target);
        QTest::keyClick(target, key);
    }
    void type(const QString& letters) {
        for (const QChar c : letters)
            press(Qt::Key(Qt::Key_A + (c.toUpper().unicode() - 'A')));
    }
    QString cellText(int r, int c) const { return probe().board().cell(r, c)->text(); }
    QString rowText(int r) const {
        QString text;
        for (int c = 1; c <= 5; ++c)
            text += cellText(r, c) + u'|';
        return text;
    }
    QString status() const { return probe().board().status()->text(); }
    QWidget* boardPanel() const { return probe().board().cell(1, 1)->parentWidget(); }
    // The board as the player sees it.
    QImage shown() const { return boardPanel()->grab().toImage(); }
    QRect cellAt(int r, int c) const { return probe().board().cell(r, c)->geometry(); }
    // A point of the cell's square that no letter or mark covers.
    QColor squareColour(const QImage& image, int r, int c) const {
        return image.pixelColor(cellAt(r, c).topLeft() + QPoint(3, 21));
    }
    void colourTiles(bool on) {
        QAction* item = probe().menu().ColourtheTiles1;
        if (item->isChecked() != on)
            item->trigger();
    }
};

TEST_F(BoardTest, TypingFillsTheRowAndEnterSendsOnlyAWholeWord) {
    myTurn();
    EXPECT_EQ(status(), "Your Turn.");
    type("hous");
    EXPECT_EQ(QApplication::focusWidget(), edit(5));
    press(Qt::Key_Return); // four letters: nothing goes out
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), edit(5));

    type("e");
    EXPECT_EQ(row()->word(), "HOUSE");
    press(Qt::Key_7); // digits are swallowed
    press(Qt::Key_Return);
    EXPECT_EQ(sent(), QStringList{"CMD_myword+1+HOUSE+"});
    EXPECT_EQ(row()->look(), GuessRow::Look::Submitted);
    EXPECT_EQ(probe().state().turnseat, 0);
    type("a"); // submitted: no more typing
    EXPECT_EQ(row()->word(), "HOUSE");
}

// An edit is emptied when the player moves into it, never when the focus
// only comes back to it: from another window, or from a menu.
TEST_F(BoardTest, AGuessSurvivesTheFocusLeavingTheWindowOrGoingToAMenu) {
    myTurn();
    type("house");
    ASSERT_EQ(QApplication::focusWidget(), edit(5));
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(waitFor([&] { return !chat->isActiveWindow(); }));
    chat->activateWindow();
    ASSERT_TRUE(waitFor([&] { return QApplication::focusWidget() == edit(5); }));
    EXPECT_EQ(row()->word(), "HOUSE");

    QMenu* options = nullptr;
    for (QAction* item : chat->menuBar()->actions()) {
        if (item->menu() && item->menu()->objectName() == "Options1")
            options = item->menu();
    }
    ASSERT_TRUE(options);
    options->popup(chat->mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(waitFor([&] { return options->isVisible(); }));
    QTest::keyClick(options, Qt::Key_Escape);
    ASSERT_TRUE(waitFor([&] { return QApplication::focusWidget() == edit(5); }));
    EXPECT_EQ(row()->word(), "HOUSE");

    press(Qt::Key_Return);
    EXPECT_EQ(sent(), QStringList{"CMD_myword+1+HOUSE+"});
}

// An H word: the four missing letters make the whole word, an H typed first
// works as ever, and a guess that lost its H some other way never leaves.
TEST_F(BoardTest, TheGivenLetterCannotBeLost) {
    myTurn();
    type("ouse");
    EXPECT_EQ(row()->word(), "HOUSE");
    EXPECT_EQ(QApplication::focusWidget(), edit(5));
    press(Qt::Key_Return);
    EXPECT_EQ(sent(), QStringList{"CMD_myword+1+HOUSE+"});

    hostSays({"CMD_yourletters+1+f+1+sxxxx+HOUSE+", "CMD_nextplayer+1+2+"});
    edit(1)->setFocus();
    type("hello");
    EXPECT_EQ(row()->word(), "HELLO");
    edit(1)->setText("P"); // as a screen reader may set it
    press(Qt::Key_Return);
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_EQ(status(), "PELLO does not start with H!");
    EXPECT_EQ(row()->look(), GuessRow::Look::Open);
}

// Where the keys go shows: the whole row framed while it has them, the chat
// box when it does. A lone five-letter word sent from the chat while the row
// waits empty is asked about, once.
TEST_F(BoardTest, TheFocusIsFramedAndAGuessTypedIntoTheChatIsAskedAboutOnce) {
    myTurn();
    ChatEntry* entry = probe().chat().entry();
    const auto framed = [](QWidget* widget) {
        const QImage image = widget->grab().toImage();
        return image.pixelColor(1, image.height() / 2) == look::kFocusColour;
    };
    EXPECT_TRUE(framed(edit(1)));
    EXPECT_TRUE(framed(edit(4)));
    EXPECT_FALSE(framed(entry));
    entry->setFocus(Qt::BacktabFocusReason);
    EXPECT_TRUE(framed(entry));
    EXPECT_FALSE(framed(edit(1)));

    QTest::keyClicks(entry, "lucky");
    QTest::keyClick(entry, Qt::Key_Return);
    EXPECT_EQ(questions,
              QStringList{"\"lucky\" looks like your guess. Send it to everyone in the chat?"});
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_EQ(entry->text(), "lucky");
    EXPECT_EQ(QApplication::focusWidget(), edit(1));
    entry->setFocus();
    QTest::keyClick(entry, Qt::Key_Return);
    EXPECT_EQ(sent(), QStringList{"CMD_chat+1+lucky|clBlack"});

    QTest::keyClicks(entry, "hello there"); // no lone word
    QTest::keyClick(entry, Qt::Key_Return);
    edit(1)->setFocus();
    type("h"); // the row holds a letter
    entry->setFocus();
    QTest::keyClicks(entry, "house");
    QTest::keyClick(entry, Qt::Key_Return);
    EXPECT_EQ(sent(), QStringList({"CMD_chat+1+hello there|clBlack", "CMD_chat+1+house|clBlack"}));
    EXPECT_EQ(questions.size(), 1);
}

TEST_F(BoardTest, BackspaceStepsBackAndEmptiesTheEditItLandsIn) {
    myTurn();
    type("hb");
    ASSERT_EQ(QApplication::focusWidget(), edit(3));
    press(Qt::Key_Backspace); // empty edit 3: back to edit 2, which is emptied
    EXPECT_EQ(QApplication::focusWidget(), edit(2));
    EXPECT_EQ(row()->word(), "H");
    type("xyzw");
    press(Qt::Key_Backspace); // edit 5 with a letter: only that letter goes
    EXPECT_EQ(QApplication::focusWidget(), edit(5));
    EXPECT_EQ(row()->word(), "HXYZ");
}

TEST_F(BoardTest, TheClockCountsDownAndItsEndSwallowsKeys) {
    logIn(1);
    hostSays({"CMD_startgame+Ann+high+0+", "CMD_loadball+3+H+"});
    probe().board().Timer2Timer();
    EXPECT_EQ(probe().board().clock()->text(), ""); // no row open: no time to show
    hostSays("CMD_nextplayer+1+1+");
    EXPECT_EQ(status(), "Your Turn.");
    EXPECT_EQ(probe().board().clock()->text(), "Time: 20"); // at once, not after a tick
    chat->activateWindow();
    edit(1)->setFocus();
    probe().board().Timer2Timer();
    EXPECT_EQ(probe().board().clock()->text(), "Time: 19");
    for (int tick = 0; tick < 10; ++tick)
        probe().board().Timer2Timer();
    EXPECT_EQ(probe().board().clock()->text(), "Time: 09");
    for (int tick = 0; tick < 9; ++tick)
        probe().board().Timer2Timer();
    EXPECT_EQ(probe().board().clock()->text(), "Time: 00");
    type("ab");
    EXPECT_EQ(row()->word(), "");
}

TEST_F(BoardTest, OthersTurnsLockTheRowAndJustWatchingKeepsItLocked) {
    logIn(1);
    hostSays({"CMD_existingplayers+3+Cy+0", "CMD_startgame+Ann+nine+0+", "CMD_loadball+1+H+",
              "CMD_nextplayer+3+1+"});
    EXPECT_EQ(status(), "Cy's turn.");
    EXPECT_EQ(row()->look(), GuessRow::Look::Locked);
    EXPECT_EQ(probe().seats().turnMarker()->pos(), probe().seats().chalk(3)->pos() - QPoint(0, 12));
    hostSays({"CMD_justwatching+1+1", "CMD_nextplayer+1+2+"});
    EXPECT_EQ(row()->look(), GuessRow::Look::Locked); // the computer player may guess for us
    edit(1)->setFocus();
    type("ab");
    EXPECT_EQ(row()->word(), "");
}

TEST_F(BoardTest, JudgedRowsDrawTheBallInPlayAndTheCueBallUnderTheRightCells) {
    myTurn();
    hostSays("CMD_yourletters+1+f+2+sxcxx+HOUSE+");
    EXPECT_EQ(rowText(2), "H|O|U|S|E|");
    const std::vector<char> marks = {'s', 0, 'c', 0, 0};
    for (int c = 1; c <= 5; ++c)
        EXPECT_EQ(probe().board().markAt(2, c), marks[size_t(c - 1)]) << "column " << c;
    EXPECT_FALSE(probe().board().mark(2, 1)->pixmap().isNull());
    EXPECT_TRUE(probe().board().mark(2, 2)->pixmap().isNull());
    EXPECT_EQ(probe().board().cell(2, 1)->accessibleName(), "row 2, letter H, right place");
    EXPECT_EQ(probe().board().cell(2, 3)->accessibleName(),
              "row 2, letter U, in the word, wrong place");

    hostSays({"CMD_yourletters+3+f+3+sssss+HOUSE+", // another seat's own copy
              "CMD_yourletters+3+t+4+cs+HA+"});     // short marks and word: "x" and empty
    EXPECT_EQ(rowText(3), "|||||");
    EXPECT_EQ(rowText(4), "H|A||||");
    EXPECT_EQ(probe().board().markAt(4, 1), 'c');
    EXPECT_EQ(probe().board().markAt(4, 2), 's');
    EXPECT_EQ(probe().board().markAt(4, 3), 0);

    hostSays("CMD_notvalid+1+f+HQ+5+");
    EXPECT_EQ(rowText(5), "H|Q||||");
    EXPECT_EQ(status(), "HQ is not a valid word!");
}

TEST_F(BoardTest, TimeUpStarsTheRowButKeepsTheGivenLetter) {
    myTurn();
    hostSays({"CMD_timeup+1+", "CMD_timeup+3+"});
    EXPECT_EQ(rowText(1), "H|*|*|*|*|");
    EXPECT_EQ(rowText(3), "H|*|*|*|*|"); // every row the clock took looks the same
    EXPECT_EQ(status(), "Time is Up!");
    EXPECT_FALSE(probe().seats().turnMarker()->isVisible());
    type("ab");
    EXPECT_EQ(row()->word(), "");
}

TEST_F(BoardTest, MalformedMessagesChangeNothingOnTheBoard) {
    myTurn();
    hostSays({"CMD_loadball+0+Q+", "CMD_loadball+3+QQ+", "CMD_yourletters+1+f+6+sssss+QUEEN+",
              "CMD_yourletters+1+x+2+sssss+QUEEN+", "CMD_timeup+0+", "CMD_nextplayer+10+1+",
              "CMD_heguessed+1+QUEEN+10+3+", "CMD_gamestats+high+7+1+Q+",
              "CMD_wordlist+1+6+QUEEN+"});
    EXPECT_EQ(probe().model().ballInPlay(), 3);
    EXPECT_EQ(rowText(1), "H|||||");
    for (int r = 2; r <= 5; ++r)
        EXPECT_EQ(rowText(r), "|||||");
    EXPECT_EQ(status(), "Your Turn.");
    EXPECT_TRUE(probe().model().seat(1).rack.isEmpty());
    EXPECT_EQ(row()->look(), GuessRow::Look::Open);
}

TEST_F(BoardTest, ASpysFindIsNamedFromTheSpyListAndTouchesNoSeat) {
    logIn(1);
    probe().menu().ShowWordList1->setChecked(true);
    hostSays({"CMD_existingplayers+7+Dee+0", "CMD_startgame+Ann+high+0+", "CMD_loadball+1+H+",
              "CMD_submitted+7+", "CMD_wordlist+7+1+HOUSE+2++3++4++5+",
              "CMD_heguessed+7+HOUSE+1+1+"});
    EXPECT_EQ(status(), "HOUSE is the word. Dee got it!");
    EXPECT_EQ(probe().board().wordListPanel()->title(), "Dee");
    EXPECT_EQ(probe().board().wordListPanel()->word(1), "HOUSE");
    EXPECT_TRUE(
        waitFor([&] { return probe().board().wordListPanel()->isVisible(); })); // after the shot
    for (int seat = 1; seat <= 5; ++seat) {
        EXPECT_TRUE(probe().model().seat(seat).rack.isEmpty());
        EXPECT_FALSE(probe().seats().chalk(seat)->isVisible());
    }
    EXPECT_EQ(row()->look(), GuessRow::Look::Revealed);
    EXPECT_EQ(row()->word(), "HOUSE");
}

// The chat keeps a record of the game the status line loses with the next
// word: each word's end (who found it in which row, or what it was) and the
// result. A window that came mid-word knows the row from the catch-up.
TEST_F(BoardTest, EachWordsEndAndTheGamesResultStayInTheChat) {
    logIn(1);
    hostSays({"CMD_existingplayers+2+Bob+0", "CMD_startgame+Ann+most+0+", "CMD_loadball+1+H+",
              "CMD_nextplayer+1+1+", "CMD_timeup+1+", "CMD_nextplayer+1+2+",
              "CMD_heguessed+2+HOUSE+1+1+", "CMD_loadball+2+B+", "CMD_nextplayer+1+1+"});
    EXPECT_TRUE(chatText().contains("Bob found HOUSE in row 2."));
    hostSays({"CMD_nooneguessed+BUSHY+", "CMD_gamestats+most+4+3+K+", "CMD_heguessed+1+KNOCK+3+1+",
              "CMD_winner+1+"});
    const QStringList record{"Bob found HOUSE in row 2.", "Nobody found BUSHY.",
                             "Ann found KNOCK in row 4.", "Ann has Won the Game!"};
    qsizetype after = -1;
    for (const QString& line : record) {
        const qsizetype at = chatText().indexOf(line);
        EXPECT_GT(at, after) << line.toStdString();
        after = at;
    }
    EXPECT_EQ(chatText().count(" found "), 3); // each once
}

TEST_F(BoardTest, AJoinerSeesThePlayedRowsStarredAndTheBallInPlay) {
    logIn(2);
    hostSays("CMD_gamestats+most+3+4+K+");
    EXPECT_EQ(rowText(1), "K|*|*|*|*|");
    EXPECT_EQ(rowText(2), "K|*|*|*|*|");
    EXPECT_EQ(rowText(3), "|||||");
    EXPECT_EQ(probe().model().ballInPlay(), 4);
    EXPECT_EQ(probe().table().caption()->text(), "MOST BALLS POCKETED");
    hostSays("CMD_nextplayer+2+3+");
    EXPECT_EQ(cellText(3, 1), "K");
}

// Each mark stands centred under its own letter and covers none of its
// pixels, whatever the letter; every ball, the dark ones too, stands out on
// the square under it, tinted or not, and the ball in play on the header.
TEST_F(BoardTest, MarksStandClearUnderTheirOwnLettersAndEveryBallStandsOut) {
    logIn(1);
    hostSays({"CMD_startgame+Ann+high+0+", "CMD_loadball+8+Q+"});
    const QString alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZWMQJG";
    for (int from = 0; from < 30; from += 5) {
        hostSays(QString("CMD_yourletters+1+f+2+scscs+%1+").arg(alphabet.mid(from, 5)));
        const QImage withMarks = shown();
        for (int c = 1; c <= 5; ++c)
            probe().board().mark(2, c)->hide();
        const QImage lettersOnly = shown();
        for (int c = 1; c <= 5; ++c)
            probe().board().mark(2, c)->show();
        for (int c = 1; c <= 5; ++c) {
            const QLabel* mark = probe().board().mark(2, c);
            SCOPED_TRACE(probe().board().cell(2, c)->text().toStdString());
            const QRect cell = cellAt(2, c);
            const QPoint toEmptyRow(0, cellAt(5, c).top() - cell.top());
            QRect inked;
            int covered = 0;
            for (int y = cell.top(); y <= cell.bottom(); ++y) {
                for (int x = cell.left(); x <= cell.right(); ++x) {
                    const QPoint at(x, y);
                    if (lettersOnly.pixel(at) == lettersOnly.pixel(at + toEmptyRow))
                        continue;
                    inked |= QRect(at, QSize(1, 1));
                    if (withMarks.pixel(at) != lettersOnly.pixel(at))
                        ++covered;
                }
            }
            EXPECT_EQ(covered, 0);
            EXPECT_NEAR(mark->geometry().center().x(), inked.center().x(), 2);
            EXPECT_GT(mark->geometry().center().y(), inked.center().y());
            EXPECT_TRUE(cell.contains(mark->geometry()));
        }
    }

    for (int ball = 1; ball <= 9; ++ball) {
        SCOPED_TRACE("ball " + std::to_string(ball));
        hostSays({QString("CMD_loadball+%1+Q+").arg(ball), "CMD_yourletters+1+f+1+scxxx+QUEEN+"});
        for (const bool tinted : {false, true}) {
            colourTiles(tinted);
            const QImage image = shown();
            for (int c : {1, 2}) { // the ball in play, then the cue ball
                const QRect at = probe().board().mark(1, c)->geometry();
                const QColor under = image.pixelColor(at.topLeft()); // a corner, off the ball
                EXPECT_TRUE(testsupport::outlineStandsOut(image, at, under, 3))
                    << "column " << c << (tinted ? " tinted" : "");
            }
            QWidget* header = boardPanel()->findChild<QWidget*>("image_theball");
            const QColor behind = image.pixelColor(header->geometry().topLeft());
            EXPECT_TRUE(testsupport::outlineStandsOut(image, header->geometry(), behind, 3));
        }
    }
}

// A row judged, a guess that is no word and rows the clock took each have
// one readable look, whatever the row; "Colour the Tiles" tints each judged
// square by its mark, in hues told apart without full colour vision.
TEST_F(BoardTest, EveryRowStateHasOneReadableLookAndColouredTilesShowTheMarks) {
    myTurn();
    hostSays({"CMD_yourletters+1+f+1+sxcxx+HOUSE+", "CMD_timeup+2+", "CMD_nextplayer+1+3+",
              "CMD_timeup+3+", "CMD_nextplayer+1+4+", "CMD_notvalid+1+f+HOUSZ+4+"});
    QImage image = shown();
    const QColor square = squareColour(image, 5, 1);
    const QRect missedRow = cellAt(2, 1).united(cellAt(2, 5));
    EXPECT_EQ(image.copy(missedRow), image.copy(missedRow.translated(0, 45)));
    for (int c = 1; c <= 5; ++c) {
        SCOPED_TRACE("column " + std::to_string(c));
        EXPECT_GE(testsupport::strongestContrast(image, cellAt(2, c), square), 4.5);
        EXPECT_GE(testsupport::strongestContrast(image, cellAt(4, c), square), 4.5);
    }
    // The H that is no word is not drawn like the judged H.
    EXPECT_NE(image.copy(cellAt(4, 1)), image.copy(cellAt(1, 1)));

    colourTiles(true);
    image = shown();
    const QColor right = squareColour(image, 1, 1), elsewhere = squareColour(image, 1, 3);
    EXPECT_GT(right.blue(), right.red() + 60);          // blue
    EXPECT_GT(elsewhere.red(), elsewhere.blue() + 100); // orange
    for (int c : {2, 4, 5}) {
        const QColor absent = squareColour(image, 1, c);
        EXPECT_LT(std::max({absent.red(), absent.green(), absent.blue()}) -
                      std::min({absent.red(), absent.green(), absent.blue()}),
                  24); // grey
        EXPECT_NE(absent, square);
    }
    for (int c = 1; c <= 5; ++c)
        EXPECT_GE(testsupport::strongestContrast(image, cellAt(1, c), squareColour(image, 1, c)),
                  4.5);
    EXPECT_FALSE(probe().board().mark(1, 1)->pixmap().isNull()); // the balls stay
    EXPECT_FALSE(probe().board().mark(1, 3)->pixmap().isNull());
    for (int r = 2; r <= 5; ++r)
        EXPECT_EQ(squareColour(image, r, 1), square) << "row " << r; // only judged rows

    colourTiles(false);
    EXPECT_EQ(squareColour(shown(), 1, 1), square);
}

} // namespace
} // namespace clienttest

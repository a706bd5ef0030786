// The game from the keyboard alone, as a player without a mouse plays it,
// and what a screen reader hears of it while the focus stays put.
#include "client/board/word_list_panel.h"
#include "client/chat/chat_entry.h"
#include "client/chat/chat_part.h"
#include "client/chat/phrase_buttons.h"
#include "client/tgamestart.h"
#include "client_harness.h"

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace clienttest {
namespace {

class KeyboardTest : public ClientHarness {
protected:
    // Seat 1, with Bob in seat 2, in the window that has the keyboard.
    void seatedWithBob() {
        logIn(1);
        hostSays("CMD_existingplayers+2+Bob+0");
        chat->activateWindow();
        ASSERT_TRUE(waitFor([&] { return chat->isActiveWindow(); }));
    }
    // A key where the player's keys go: the open popup, else the focus.
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::activePopupWidget();
        if (target && target->focusWidget())
            target = target->focusWidget();
        if (!target)
            target = QApplication::focusWidget();
        ASSERT_TRUE(target) << "no widget takes keys";
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }
    // Tab until the named control has the focus; false after a whole round.
    static bool tabTo(const QString& objectName) {
        for (int step = 0; step < 40; ++step) {
            const QWidget* focus = QApplication::focusWidget();
            if (focus && focus->objectName() == objectName)
                return true;
            press(Qt::Key_Tab);
        }
        return false;
    }
    // The offscreen platform activates every window it shows, popups too,
    // and late: after a popup closed the window is made active again, as a
    // window manager leaves it.
    void backToWindow() {
        settle(30);
        chat->activateWindow();
        ASSERT_TRUE(waitFor([&] { return QApplication::activeWindow() == chat.get(); }));
    }
    static QString popupName() {
        const QWidget* popup = QApplication::activePopupWidget();
        return popup ? popup->objectName() : QString();
    }
};

TEST_F(KeyboardTest, KeysAloneReachThePhrasesSmileysSoundsSeatMenuAndMenuBar) {
    seatedWithBob();

    ASSERT_TRUE(tabTo("b_phrase1"));
    press(Qt::Key_Space);
    const QStringList phrase = sent();
    ASSERT_EQ(phrase.size(), 1);
    EXPECT_TRUE(phrase[0].startsWith("CMD_action+1+says: Way To Go!|")) << phrase[0].toStdString();
    // Resting, to the eye and to a screen reader, and it keeps the focus.
    CoolingButton* button = probe().chat().phraseButtons()->button(0);
    EXPECT_EQ(QApplication::focusWidget(), button);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(button)->state().disabled);
    const QImage resting = button->grab().toImage();
    ASSERT_TRUE(waitFor([&] { return probe().chat().phraseButtons()->phraseready; }, 5000));
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(button)->state().disabled);
    EXPECT_NE(button->grab().toImage(), resting);

    ASSERT_TRUE(tabTo("button_smilies"));
    press(Qt::Key_Space);
    ASSERT_EQ(popupName(), "popup_smilies");
    for (const int key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down})
        press(key); // third in the second row of six
    press(Qt::Key_Return);
    EXPECT_EQ(popupName(), "");
    EXPECT_EQ(probe().chat().entry()->text(), ":)#18");
    backToWindow();

    ASSERT_TRUE(tabTo("b_phrase10"));
    press(Qt::Key_Return);
    ASSERT_EQ(popupName(), "popup_sounds");
    for (const int key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down}) // <Cancel>, Doh, Cough
        press(key);
    press(Qt::Key_Return);
    EXPECT_EQ(sent(), QStringList{"CMD_playasound+1+wave2+"});
    backToWindow();

    ASSERT_TRUE(tabTo("label_playername2"));
    press(Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_EQ(popupName(), "popup_kick");
    for (const int key : {Qt::Key_Down, Qt::Key_Down}) // Remove From Game, Set to Just Watch
        press(key);
    press(Qt::Key_Return);
    EXPECT_EQ(sent(), QStringList{"CMD_justwatch+2+1"});
    backToWindow();

    // The menu bar: F10 opens its first menu; Alt and a letter any menu.
    press(Qt::Key_F10);
    ASSERT_TRUE(waitFor([&] { return chat->menuBar()->activeAction() != nullptr; }));
    EXPECT_EQ(chat->menuBar()->activeAction()->menu()->objectName(), "File1");
    press(Qt::Key_Escape);
    press(Qt::Key_Escape);
    ASSERT_TRUE(waitFor([&] { return QApplication::activePopupWidget() == nullptr; }));
    for (QAction* title : chat->menuBar()->actions()) {
        QSet<QChar> letters;
        for (QAction* item : title->menu()->actions()) {
            const qsizetype key = item->text().indexOf(u'&');
            if (item->isSeparator())
                continue;
            ASSERT_GE(key, 0) << item->text().toStdString() << " has no access key";
            EXPECT_FALSE(letters.contains(item->text()[key + 1].toLower()))
                << item->text().toStdString() << " shares its key";
            letters.insert(item->text()[key + 1].toLower());
        }
    }
    press(Qt::Key_O, Qt::AltModifier);
    ASSERT_TRUE(waitFor([&] { return popupName() == "Options1"; }));
    press(Qt::Key_Escape);
}

TEST_F(KeyboardTest, TheGameOptionsStartFromTheKeyboardWithTheFocusInSight) {
    seatedWithBob();
    Tgamestart options(chat->gameChoice(), [&] { chat->startGame(); });
    options.showCentredOn(chat.get());
    ASSERT_TRUE(waitFor([&] { return options.isActiveWindow(); }));

    // Tab goes from one choice to the next; the arrows pick within it.
    ASSERT_TRUE(tabTo("image_1"));
    for (int step = 0; step < 3; ++step)
        press(Qt::Key_Down);
    QWidget* race = QApplication::focusWidget();
    ASSERT_EQ(race->objectName(), "image_4");
    const QImage focused = race->grab().toImage();
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(race)->state().checked);
    ASSERT_TRUE(tabTo("klot_hints"));
    EXPECT_NE(race->grab().toImage(), focused) << "the focus frame left with the focus";
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "klot_off");
    press(Qt::Key_Return); // Start, wherever the focus is
    EXPECT_EQ(sent(), QStringList{"CMD_startgame+Ann+race+1+"});
    EXPECT_FALSE(options.isVisible());

    backToWindow();
    options.showCentredOn(chat.get());
    ASSERT_TRUE(waitFor([&] { return options.isActiveWindow(); }));
    press(Qt::Key_Escape);
    EXPECT_FALSE(options.isVisible());
    EXPECT_TRUE(sent().isEmpty());
}

// A screen reader hears the live status's name as it changes; this Qt
// (offscreen) has no bridge that would let a test listen to the events.
TEST_F(KeyboardTest, TurnsRowsAndFindsAreHeardTheTableReadAndTheWordListClosedByKeys) {
    seatedWithBob();
    QWidget* entry = probe().chat().entry();
    entry->setFocus();
    QAccessibleInterface* live =
        QAccessible::queryAccessibleInterface(chat->findChild<QWidget*>("live_status"));
    ASSERT_TRUE(live);
    EXPECT_EQ(live->role(), QAccessible::StatusBar);
    const auto heard = [&](const QString& message) {
        hostSays(message);
        return live->text(QAccessible::Name);
    };
    hostSays({"CMD_startgame+Ann+high+0+", "CMD_loadball+1+H+"});
    EXPECT_EQ(heard("CMD_nextplayer+2+1+"), "Bob's turn.");
    EXPECT_EQ(heard("CMD_nextplayer+1+1+"), "Your Turn.");
    entry->setFocus(); // the player went back to the chat during their turn
    EXPECT_EQ(heard("CMD_yourletters+1+f+1+sxcxx+HOUSE+"),
              "Row 1: H right place; O not in the word; U in the word, wrong place; "
              "S not in the word; E not in the word.");
    hostSays("CMD_wordlist+2+1+HOTEL+2++3++4++5+");
    EXPECT_EQ(heard("CMD_heguessed+2+HOTEL+1+1000"), "HOTEL is the word. Bob got it!");
    EXPECT_EQ(QApplication::focusWidget(), entry);
    EXPECT_EQ(heard("CMD_winner+2+"), "Bob has Won the Game!");

    const QWidget* table = chat->findChild<QWidget*>("panel_table");
    ASSERT_TRUE(waitFor(
        [&] { return table->accessibleDescription().contains("Bob's rack: ball 1."); }, 15000))
        << table->accessibleDescription().toStdString();
    EXPECT_EQ(table->accessibleDescription(),
              "On the table: the cue ball and balls 2, 3, 4, 5, 6, 7, 8 and 9. "
              "Ann's rack: no balls. Bob's rack: ball 1.");

    // The finder's words, shown after the shot, close from the keyboard.
    WordListPanel* words = probe().board().wordListPanel();
    ASSERT_TRUE(waitFor([&] { return words->isVisible(); }));
    ASSERT_TRUE(tabTo("FlatSpeedButton1"));
    press(Qt::Key_Space);
    EXPECT_FALSE(words->isVisible());
}

} // namespace
} // namespace clienttest

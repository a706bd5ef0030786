// Every window of the program, as a player who cannot use the mouse or see
// the screen meets it: each control tells a screen reader what it is, and
// each small window answers Enter and Escape as a dialog does.
#include "app/app_windows.h"
#include "client/board/word_list_panel.h"
#include "client/chat/tphrases.h"
#include "client/look/message_box.h"
#include "event_wait.h"
#include "program_environment.h"
#include "qstring_printer.h"
#include "tchat_probe.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

using testsupport::settle;
using testsupport::waitFor;

class WindowKeys : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        messagebox::setQuestionHandler([](QWidget*, const QString&) { return true; });
        windows = std::make_unique<AppWindows>(QStringList{"You"}); // the test is the host
        probe().sounds().player = [](const QString&) {
        };
        windows->chat.show();
        // Seated at seat 1 with Bob beside, a spy watching, a word found.
        probe().queue() << QStringList{"CMD_sendlogininfo+1",
                                       "CMD_newplayerinfo+1+You+0",
                                       "CMD_existingplayers+2+Bob+0+7+Eve+0",
                                       "CMD_startgame+You+high+0+",
                                       "CMD_loadball+1+H+",
                                       "CMD_nextplayer+1+1+"};
        while (!probe().queue().isEmpty())
            probe().handleNext();
    }
    void TearDown() override {
        windows.reset();
        messagebox::setQuestionHandler({});
    }
    TchatProbe probe() const { return TchatProbe(windows->chat); }

    // Shows the window as the program does and waits until it has the keys.
    static bool active(QWidget& window) {
        window.activateWindow();
        return waitFor([&] { return window.isActiveWindow(); });
    }
    // A key where the player's keys go.
    static void press(QWidget& window, Qt::Key key) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &window, key);
    }

    void openEveryWindow() {
        MainMenu& menu = probe().menu();
        for (QAction* opens :
             {menu.SpyList1, menu.About1, menu.Content1, menu.PhraseList1, menu.ViewTally1})
            opens->trigger();
        windows->gamestart().show();
        windows->playWithOthers().offer(&windows->chat, false);
        windows->linkConfirmation().ask(&windows->chat, TableAddress{"ann-pc", 7772});
        probe().board().wordListPanel()->show();
        settle(50);
    }

    testsupport::ProgramEnvironment home;
    std::unique_ptr<AppWindows> windows;
};

// What a player can work with: the controls a screen reader must name.
bool interactive(const QWidget* widget) {
    if (qobject_cast<const QScrollBar*>(widget))
        return false; // part of its view, which carries the name
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget) ||
           qobject_cast<const QTextEdit*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) || widget->focusPolicy() != Qt::NoFocus;
}

QStringList unnamedControls() {
    QStringList unnamed;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        QList<QWidget*> widgets = window->findChildren<QWidget*>();
        widgets.prepend(window);
        for (QWidget* widget : widgets) {
            if (!widget->isVisible() || !interactive(widget) || widget == window)
                continue;
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
            if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << window->objectName() + " / " + widget->metaObject()->className() + " " +
                               widget->objectName();
        }
    }
    return unnamed;
}

TEST_F(WindowKeys, EveryVisibleControlOfEveryWindowHasAName) {
    openEveryWindow();
    EXPECT_TRUE(unnamedControls().isEmpty()) << unnamedControls().join("\n").toStdString();

    // The smiley grid pops up over everything else.
    windows->chat.findChild<QPushButton*>("button_smilies")->click();
    ASSERT_TRUE(QApplication::activePopupWidget());
    EXPECT_TRUE(unnamedControls().isEmpty()) << unnamedControls().join("\n").toStdString();
    QApplication::activePopupWidget()->close();
}

// The title bar of a window that cannot grow offers no maximise button.
TEST_F(WindowKeys, NoWindowOfFixedSizeOffersToMaximise) {
    openEveryWindow();
    int fixed = 0;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->minimumSize() != window->maximumSize())
            continue;
        ++fixed;
        EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint)
            << window->objectName().toStdString();
        EXPECT_TRUE(window->windowFlags() & Qt::WindowCloseButtonHint)
            << window->objectName().toStdString();
    }
    EXPECT_GE(fixed, 6);
}

TEST_F(WindowKeys, EverySmallWindowTakesEnterForItsDefaultAndEscapeToClose) {
    MainMenu& menu = probe().menu();
    Tphrases& phrases = *probe().chat().phraseEditor();
    struct Case {
        const char* name;
        QWidget* window;
        std::function<void()> open;
        std::function<void()> beforeEnter; // the player's work that Enter confirms
        std::function<bool()> enterDone;   // what the default did (or that nothing was done)
    };
    const auto hidden = [](QWidget* window) {
        return [window] {
            return !window->isVisible();
        };
    };
    QWidget* options = &windows->gamestart();
    QWidget* link = &windows->linkConfirmation();
    const Case cases[] = {
        {"help", &windows->help(), [&] { menu.Content1->trigger(); }, {}, hidden(&windows->help())},
        {"about",
         &windows->about(),
         [&] { menu.About1->trigger(); },
         {},
         hidden(&windows->about())},
        {"spy list",
         &windows->spylist(),
         [&] { menu.SpyList1->trigger(); },
         {},
         hidden(&windows->spylist())},
        {"tally",
         &windows->tallylist(),
         [&] { menu.ViewTally1->trigger(); },
         {},
         hidden(&windows->tallylist())},
        {"game options", options, [&] { windows->chat.button_startClick(); }, {}, hidden(options)},
        {"phrase editor", &phrases, [&] { menu.PhraseList1->trigger(); },
         [&] {
             auto* first = phrases.findChild<QLineEdit*>("edit_phrase1");
             first->setFocus();
             first->selectAll();
             QTest::keyClicks(first, "Hi all");
         },
         [&] {
             return !phrases.isVisible() && probe().chat().phrases().value(0) == "Hi all";
         }},
        // The one window without a default: joining is never a key meant for
        // something else, so Enter leaves the question as it was.
        {"invite link", link,
         [&] {
             windows->linkConfirmation().ask(&windows->chat, TableAddress{"ann-pc", 7772});
         },
         [&] { link->findChild<QLineEdit*>("edit_name")->clear(); },
         [&] {
             return link->isVisible() &&
                    link->findChild<QLabel*>("label_message")->text().isEmpty();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.open();
        ASSERT_TRUE(c.window->isVisible());
        ASSERT_TRUE(active(*c.window));
        press(*c.window, Qt::Key_Escape);
        EXPECT_FALSE(c.window->isVisible()) << "Escape closes it";

        windows->chat.activateWindow(); // the player is back in the game
        c.open();
        ASSERT_TRUE(active(*c.window));
        if (c.beforeEnter)
            c.beforeEnter();
        press(*c.window, Qt::Key_Return);
        EXPECT_TRUE(c.enterDone()) << "Enter takes the default, if there is one";
        c.window->hide();
        ASSERT_TRUE(active(windows->chat));
    }
}

} // namespace

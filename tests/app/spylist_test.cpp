#include "app/tspylist.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Two spies listed, as the client lists them, and a record of removals.
class SpyListTest : public ::testing::Test {
protected:
    void SetUp() override {
        spies.listbox_spys->addItems({"7: Ann", "8: Bob"});
        spies.mayRemove = [this] {
            return holdsSlotOne;
        };
        spies.kicking = [this](int slot) {
            removed << slot;
        };
        spies.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&spies));
    }

    QWidget* viewport() const { return spies.listbox_spys->viewport(); }
    QPoint centreOf(int row) const {
        return spies.listbox_spys->visualItemRect(spies.listbox_spys->item(row)).center();
    }
    QMenu* menu() const { return spies.findChild<QMenu*>("popup_kickhim"); }
    QAction* removeFromGame() const { return menu()->actions().value(0); }

    // A right click at this point of the list.
    void rightClickAt(const QPoint& point) {
        QContextMenuEvent request(QContextMenuEvent::Mouse, point, viewport()->mapToGlobal(point));
        QCoreApplication::sendEvent(viewport(), &request);
    }
    void rightClickOn(int row) { rightClickAt(centreOf(row)); }
    void movePointerTo(const QPoint& point) {
        QMouseEvent move(QEvent::MouseMove, point, viewport()->mapToGlobal(point), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport(), &move);
    }
    // The menu key: the list has the focus, the pointer plays no part.
    void pressMenuKey() {
        QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QCoreApplication::sendEvent(spies.listbox_spys, &request);
    }
    void choose() {
        ASSERT_TRUE(menu()->isVisible());
        QTest::mouseClick(menu(), Qt::LeftButton, {},
                          menu()->actionGeometry(removeFromGame()).center());
    }

    Tspylist spies;
    bool holdsSlotOne = true;
    QList<int> removed;
};

TEST_F(SpyListTest, RemoveFromGameIsGreyedOutUnlessThisClientHoldsSlotOne) {
    holdsSlotOne = false;
    rightClickOn(0);
    EXPECT_EQ(removeFromGame()->text().remove(u'&'), "Remove From Game");
    EXPECT_FALSE(removeFromGame()->isEnabled());
    choose();
    EXPECT_TRUE(removed.isEmpty());

    holdsSlotOne = true;
    rightClickOn(0);
    EXPECT_TRUE(removeFromGame()->isEnabled());
}

TEST_F(SpyListTest, RemovingTheSecondSpyAsksForThatSlotOnly) {
    rightClickOn(1);
    choose();
    EXPECT_EQ(removed, QList<int>{8});
}

TEST_F(SpyListTest, ASpyWhoLeavesWhileTheMenuIsOpenTakesNobodyWithHim) {
    rightClickOn(1);
    delete spies.listbox_spys->takeItem(1);
    choose();
    EXPECT_TRUE(removed.isEmpty()) << "the entry is gone: nothing to remove";

    rightClickOn(0);
    delete spies.listbox_spys->takeItem(0);
    spies.listbox_spys->insertItem(0, "7: Cy");
    choose();
    EXPECT_TRUE(removed.isEmpty()) << "another spy now in slot 7 is not the one chosen";
}

TEST_F(SpyListTest, AMenuOpenedBelowTheEntriesActsOnNobody) {
    rightClickAt(QPoint(10, viewport()->height() - 3));
    EXPECT_FALSE(removeFromGame()->isEnabled());

    spies.listbox_spys->addItem("Watching");
    rightClickOn(2);
    EXPECT_FALSE(removeFromGame()->isEnabled()) << "an entry without a slot number";
}

TEST_F(SpyListTest, FromTheKeyboardTheMenuActsOnTheCurrentEntry) {
    spies.listbox_spys->setCurrentRow(1);
    movePointerTo(centreOf(0)); // the pointer rests on another entry
    pressMenuKey();
    choose();
    EXPECT_EQ(removed, QList<int>{8});

    spies.listbox_spys->clear();
    pressMenuKey();
    EXPECT_FALSE(removeFromGame()->isEnabled()) << "no spies, no current entry";
}

TEST_F(SpyListTest, TheTagFollowsThePointerAndDoneClosesTheList) {
    movePointerTo(centreOf(1));
    EXPECT_EQ(spies.listbox_spys->property("tag").toInt(), 1);
    movePointerTo(QPoint(10, viewport()->height() - 3));
    EXPECT_EQ(spies.listbox_spys->property("tag").toInt(), -1);

    EXPECT_TRUE(spies.windowFlags() & Qt::WindowStaysOnTopHint);
    QPushButton* done = spies.findChild<QPushButton*>("button_done");
    QTest::mouseClick(done, Qt::LeftButton);
    EXPECT_FALSE(spies.isVisible());
}

} // namespace

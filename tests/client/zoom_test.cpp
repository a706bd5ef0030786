// View -> Zoom on a real window: where clicks land on the scaled panel, the
// window a step gives and keeps across a restart, and pictures drawn at the
// size shown rather than blown up.
#include "client_harness.h"

#include "client/board/word_list_panel.h"
#include "client/look/baked_picture.h"
#include "client/look/panel_zoom.h"
#include "common/inifile.h"

#include <QAbstractButton>
#include <QFile>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QResource>
#include <QScreen>
#include <QTest>

namespace clienttest {
namespace {

// The first widget a mouse press is delivered to: the one under the pointer.
class PressTarget : public QObject {
public:
    PressTarget() { qApp->installEventFilter(this); }
    ~PressTarget() override { qApp->removeEventFilter(this); }
    QPointer<QObject> receiver;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType() && !receiver)
            receiver = watched;
        return false;
    }
};

double meanDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    if (x.size() != y.size())
        return 255;
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int column = 0; column < x.width(); ++column) {
            const QRgb p = x.pixel(column, row), q = y.pixel(column, row);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * x.width() * x.height());
}

QImage over(const QImage& background, const QImage& picture) {
    QImage result = background.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&result);
    painter.drawImage(QRect(QPoint(), result.size()), picture);
    return result;
}

QImage baked(const QString& file) {
    return bakedpicture::decode(QResource(":/baked/" + file).uncompressedData());
}

class ZoomTest : public ClientHarness {
protected:
    void SetUp() override {
        appHooks.gameOptionsWanted = [this] {
            ++optionsOpened;
        };
        hosting = true;
        ClientHarness::SetUp();
        logIn(1);
    }
    QWidget* panel() const { return chat->findChild<QWidget*>("panel_board"); }
    template <typename T = QWidget> T* part(const char* name) const {
        return chat->findChild<T*>(name);
    }
    qreal scale() const { return PanelZoom::scaleOf(panel()); }
    void choose(const char* item) { chat->menuBar()->findChild<QAction*>(item)->trigger(); }
    // Fitted to a window whose client area below the menu is that large.
    void fitTo(QSize client) {
        choose("FittoWindow1");
        chat->resize(client + QSize(0, chat->menuBar()->height()));
        ASSERT_TRUE(waitFor([&] { return chat->centralWidget()->size() == client; }, 3000));
    }
    // Where a point of a part, at 100 %, is shown at scale now.
    QPoint shownAt(QPoint inPanelAtHundred) const {
        return panel()->mapTo(chat.get(), (QPointF(inPanelAtHundred) * scale()).toPoint());
    }
    QPoint centreInPanel(const QWidget* part) const {
        return part->mapTo(panel(), part->rect().center());
    }
    void click(QPoint inWindow) {
        QTest::mouseClick(chat->windowHandle(), Qt::LeftButton, {}, inWindow);
    }
    QString stored(const char* key) {
        IniFile ini(settingsPath());
        ini.load();
        return ini.readString("Ludomyra", key, "<missing>");
    }

    int optionsOpened = 0;
};

TEST_F(ZoomTest, AtOneAndAHalfTimesClicksLandOnWhatThePlayerSeesThere) {
    QLabel* cell = probe().board().cell(2, 3);
    QLabel* start = &probe().startButton();
    WordListPanel* words = probe().board().wordListPanel();
    ASSERT_TRUE(start->isVisible());
    const QPoint cellAtHundred = centreInPanel(cell);
    const QPoint startAtHundred = centreInPanel(start);

    // Wider than the panel's shape: the height sets the scale, the panel is centred.
    fitTo(QSize(1300, 776));
    ASSERT_NEAR(scale(), 1.5, 0.002);
    const QRect shownPanel = panel()->geometry();
    EXPECT_NEAR(shownPanel.width(), 737 * 1.5, 1);
    EXPECT_NEAR(shownPanel.height(), 514 * 1.5, 1);
    const int leftGap = shownPanel.left() - 4, rightGap = 1300 - shownPanel.right() - 1;
    EXPECT_NEAR(leftGap, rightGap, 2);

    PressTarget onCell;
    click(shownAt(cellAtHundred));
    ASSERT_TRUE(onCell.receiver);
    EXPECT_EQ(onCell.receiver->objectName(), "label_23");

    click(shownAt(startAtHundred)); // the start button on the table
    EXPECT_EQ(optionsOpened, 1);

    // The picture is drawn for the button when zoomed; its focus ring must still show.
    start->clearFocus();
    const QImage unfocused = start->grab().toImage();
    start->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(waitFor([&] { return start->hasFocus(); }, 2000));
    EXPECT_NE(start->grab().toImage(), unfocused);

    // The word list follows the pointer as shown and keeps its place in the panel.
    words->show();
    words->raise();
    const QPoint grip = words->mapTo(chat.get(), words->rect().center());
    const QPoint before = words->pos();
    QTest::mousePress(chat->windowHandle(), Qt::LeftButton, {}, grip);
    QTest::mouseMove(chat->windowHandle(), grip + QPoint(-20, 10));
    QTest::mouseMove(chat->windowHandle(), grip + QPoint(-45, 30));
    QTest::mouseRelease(chat->windowHandle(), Qt::LeftButton, {}, grip + QPoint(-45, 30));
    const QPoint dragged = words->pos();
    EXPECT_NEAR(dragged.x(), before.x() - 45, 1);
    EXPECT_NEAR(dragged.y(), before.y() + 30, 1);
    choose("Zoom100Percent1");
    ASSERT_TRUE(waitFor([&] { return std::abs(scale() - 1) < 1e-6; }, 3000));
    EXPECT_NEAR(words->x(), dragged.x() / 1.5, 1);
    EXPECT_NEAR(words->y(), dragged.y() / 1.5, 1);
}

TEST_F(ZoomTest, AStepSizesTheWindowWithinTheWorkAreaAndIsKeptAcrossARestart) {
    choose("Zoom75Percent1");
    ASSERT_TRUE(waitFor([&] { return chat->centralWidget()->size() == QSize(555, 388); }, 3000));
    EXPECT_NEAR(scale(), 0.75, 1e-6);
    EXPECT_EQ(stored("Zoom"), "75");

    // Twice the panel is larger than the test screen: cut down, in proportion.
    choose("Zoom200Percent1");
    ASSERT_TRUE(waitFor([&] { return scale() > 1; }, 3000));
    const QRect work = chat->screen()->availableGeometry();
    EXPECT_TRUE(work.contains(chat->frameGeometry()));
    EXPECT_LT(scale(), 2);
    EXPECT_NEAR(qreal(panel()->width()) / panel()->height(), 737.0 / 514, 0.01);
    EXPECT_EQ(stored("Zoom"), "200");
    const qreal cut = scale();
    const QRect closedAt = chat->bounds();
    chat->close();
    chat.reset();

    Tchat again(appHooks);
    again.show();
    TchatProbe(again).queue() << "CMD_sendlogininfo+1"
                              << "CMD_newplayerinfo+1+Ann+0";
    ASSERT_TRUE(waitFor([&] { return TchatProbe(again).queue().isEmpty(); }, 5000));
    settle(100);
    EXPECT_TRUE(again.menuBar()->findChild<QAction*>("Zoom200Percent1")->isChecked());
    EXPECT_EQ(again.bounds(), closedAt);
    QWidget* panelAgain = again.findChild<QWidget*>("panel_board");
    EXPECT_NEAR(PanelZoom::scaleOf(panelAgain), cut, 1e-6);

    again.menuBar()->findChild<QAction*>("FittoWindow1")->trigger();
    EXPECT_EQ(stored("Zoom"), "fit");
    again.close();

    // A zoom with no bounds stored beside it: the window takes the step's size.
    QFile handWritten(settingsPath());
    ASSERT_TRUE(handWritten.open(QIODevice::WriteOnly | QIODevice::Truncate));
    handWritten.write("[Ludomyra]\nZoom=75\n");
    handWritten.close();
    Tchat third(appHooks);
    third.show();
    TchatProbe(third).queue() << "CMD_sendlogininfo+1"
                              << "CMD_newplayerinfo+1+Ann+0";
    EXPECT_TRUE(waitFor([&] { return third.centralWidget()->size() == QSize(555, 388); }, 3000));
}

TEST_F(ZoomTest, AtTwiceTheSizePicturesAreTheTwiceBakeNotABlownUpOne) {
    fitTo(QSize(1480, 1034));
    ASSERT_NEAR(scale(), 2, 1e-6);
    QLabel* ball = part<QLabel>("image_theball");
    const QRect shown(ball->mapTo(chat.get(), QPoint()), ball->size());
    ASSERT_EQ(shown.size(), QSize(48, 48));
    ball->hide();
    const QImage under = chat->grab(shown).toImage();
    ball->show();
    const QImage drawn = chat->grab(shown).toImage();

    const QImage twice = baked("ball-in-play-1@2x.pixels");
    const QImage once = baked("ball-in-play-1.pixels");
    ASSERT_EQ(twice.size(), QSize(48, 48));
    const double fromTwice = meanDifference(drawn, over(under, twice));
    const double fromOnce = meanDifference(
        drawn, over(under, once.scaled(48, 48, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    EXPECT_LT(fromTwice, 1.0);
    EXPECT_GT(fromOnce, 2.0 + 4 * fromTwice);

    // A button's picture grows with the button, and is drawn at that size.
    auto* smiley = part<QAbstractButton>("button_smilies");
    const QSize iconShown = smiley->iconSize();
    EXPECT_GE(iconShown.width(), 30);
    EXPECT_EQ(smiley->icon().pixmap(iconShown).deviceIndependentSize().toSize(), iconShown);
}

} // namespace
} // namespace clienttest

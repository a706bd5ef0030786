#include "app/ludomyra_application.h"

#include "client/look/message_box.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QProxyStyle>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TEST(LudomyraApplicationTest, AnExceptionFromAHandlerIsShownAndTheLoopGoesOn) {
    int argc = 1;
    char name[] = "app_application_tests";
    char* argv[] = {name, nullptr};
    LudomyraApplication app(argc, argv);
    QStringList boxes;
    messagebox::setHandler([&](QWidget*, const QString& text) { boxes << text; });

    bool ranAfter = false;
    QTimer::singleShot(0, &app, [] { throw std::runtime_error("Send - Socket Not Connected"); });
    QTimer::singleShot(10, &app, [&] {
        ranAfter = true;
        app.quit();
    });
    app.exec();
    messagebox::setHandler({});

    EXPECT_EQ(boxes, QStringList{"Send - Socket Not Connected"});
    EXPECT_TRUE(ranAfter);
}

// Its picture is read only when drawn: a bar too narrow for its menus
// still shows the desktop style's own arrow.
TEST(LudomyraApplicationTest, ANarrowMenuBarShowsTheDesktopStylesOverflowArrow) {
    int argc = 1;
    char name[] = "app_application_tests";
    char* argv[] = {name, nullptr};
    LudomyraApplication app(argc, argv);
    const auto* style = qobject_cast<QProxyStyle*>(app.style());
    ASSERT_NE(style, nullptr);
    const QImage desktops = style->baseStyle()
                                ->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton)
                                .pixmap(16, 16)
                                .toImage();
    ASSERT_FALSE(desktops.isNull());

    QMainWindow window;
    for (int menu = 1; menu <= 20; ++menu)
        window.menuBar()->addMenu(QString("Menu %1").arg(menu));
    window.resize(200, 120);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* arrow = window.menuBar()->findChild<QToolButton*>();
    ASSERT_NE(arrow, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return arrow->isVisible(); }, 2000));
    EXPECT_EQ(arrow->icon().pixmap(16, 16).toImage(), desktops);
}

} // namespace

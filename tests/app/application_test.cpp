#include "app/ludomyra_application.h"

#include "client/look/message_box.h"

#include <QTimer>
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

} // namespace

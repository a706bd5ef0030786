#include "app/font_setup.h"

#include <QFontDatabase>
#include <QStringList>
#include <fontconfig/fontconfig.h>

FontSetUp::FontSetUp() {
    std::promise<void> configured;
    configured_ = configured.get_future().share();
    thread_ = std::thread(
        [configured = std::move(configured), application = application_.get_future()]() mutable {
            FcInit();
            configured.set_value();
            if (application.get())
                QFontDatabase::families(); // under Qt's own lock: a text measured meanwhile waits
        });
}

FontSetUp::~FontSetUp() {
    finish();
}

void FontSetUp::applicationMade() {
    if (applicationTold_)
        return;
    applicationTold_ = true;
    application_.set_value(true);
}

void FontSetUp::awaitConfiguration() {
    configured_.wait();
}

void FontSetUp::finish() {
    if (!applicationTold_) {
        applicationTold_ = true;
        application_.set_value(false);
    }
    if (thread_.joinable())
        thread_.join();
}

#include "app/font_setup.h"

#include <fontconfig/fontconfig.h>

FontSetUp::FontSetUp() : thread_([] { FcInit(); }) {}

FontSetUp::~FontSetUp() {
    finish();
}

void FontSetUp::finish() {
    if (thread_.joinable())
        thread_.join();
}

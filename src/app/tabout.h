#pragma once

#include "client/look/small_window.h"

// The program's picture, version and year, and a link to its web page.
class Tabout : public SmallWindow {
    Q_OBJECT
public:
    Tabout();
};

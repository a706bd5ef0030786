#pragma once

#include "client/small_window.h"

// The editor of the nine phrase buttons.
class Tphrases : public SmallWindow {
    Q_OBJECT
public:
    Tphrases();
};

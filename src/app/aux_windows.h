#pragma once

#include "client/small_window.h"

#include <QListWidget>

// Help pages.
class Thelp : public SmallWindow {
    Q_OBJECT
public:
    Thelp();
};

// The program's version and year.
class Tabout : public SmallWindow {
    Q_OBJECT
public:
    Tabout();
};

// Connections that watch without a seat.
class Tspylist : public SmallWindow {
    Q_OBJECT
public:
    Tspylist();
    QListWidget* listbox_spys = nullptr;
};

#pragma once

#include "app/tabout.h"
#include "client/look/small_window.h"

#include <QLabel>
#include <QStackedWidget>

// The help pages, one button each in the side panel, with the page's title
// in the caption bar above it.
class Thelp : public SmallWindow {
    Q_OBJECT
public:
    // The side panel's "About" shows this window.
    explicit Thelp(Tabout& about);

    // Brings the page with this title ("Overview", "Scoring", ...) to the
    // front; false when there is none.
    bool showPage(const QString& title);

private:
    void SelButton1Click(int page);

    Tabout& about;
    QLabel* captionBar = nullptr;
    QStackedWidget* pages = nullptr;
};

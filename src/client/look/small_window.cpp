#include "client/look/small_window.h"

#include "client/look/artwork.h"
#include "common/dialog_keys.h"

#include <QPainter>

SmallWindow::SmallWindow(const QString& objectName, const QString& caption, QSize clientSize,
                         Qt::WindowFlags flags)
    // A fixed size has nothing to maximise: the title bar offers closing only.
    : QWidget(nullptr,
              flags | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      background(artwork::picture(ArtRole::Background)) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setFixedSize(clientSize);
    // The sheet replaces the style's own focus rectangle: the ring says it.
    setStyleSheet("QLabel { color: rgb(224, 227, 157); }"
                  "QPushButton { background: rgb(92, 58, 30); color: rgb(224, 227, 157);"
                  " border: 1px solid rgb(140, 100, 60); border-radius: 3px; padding: 2px; }"
                  "QPushButton:focus { border: 2px solid rgb(255, 214, 92); }");
    dialogkeys::install(this, [this] {
        if (enterAction_)
            enterAction_();
    });
}

void SmallWindow::showCentredOn(const QWidget* over) {
    if (over) {
        const QPoint centre = over->frameGeometry().center();
        move(centre - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    activateWindow();
}

QPushButton* SmallWindow::addDoneButton(const QRect& geometry) {
    auto* done = new QPushButton("Done", this);
    done->setObjectName("button_done");
    done->setGeometry(geometry);
    connect(done, &QPushButton::clicked, this, &QWidget::hide);
    if (!enterAction_)
        enterAction_ = [done] {
            done->click();
        };
    return done;
}

void SmallWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawTiledPixmap(rect(), background);
}

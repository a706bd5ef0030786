#include "client/small_window.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

// The main window's background picture: dark wood, its grain running down,
// seamless so that it tiles in both directions.
QPixmap mainWindowBackground() {
    QPixmap wood(96, 8);
    QPainter painter(&wood);
    QLinearGradient grain(0, 0, wood.width(), 0);
    grain.setColorAt(0, QColor(74, 47, 26));
    grain.setColorAt(0.3, QColor(88, 57, 31));
    grain.setColorAt(0.55, QColor(66, 42, 23));
    grain.setColorAt(0.8, QColor(82, 53, 29));
    grain.setColorAt(1, QColor(74, 47, 26));
    painter.fillRect(wood.rect(), grain);
    return wood;
}

} // namespace

SmallWindow::SmallWindow(const QString& objectName, const QString& caption, QSize clientSize,
                         Qt::WindowFlags flags)
    : QWidget(nullptr, flags), background(mainWindowBackground()) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setFixedSize(clientSize);
    setStyleSheet("QLabel { color: rgb(224, 227, 157); }"
                  "QPushButton { background: rgb(92, 58, 30); color: rgb(224, 227, 157);"
                  " border: 1px solid rgb(140, 100, 60); border-radius: 3px; padding: 2px; }");
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
    return done;
}

void SmallWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawTiledPixmap(rect(), background);
}

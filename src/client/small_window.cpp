#include "client/small_window.h"

SmallWindow::SmallWindow(const QString& objectName, const QString& caption, QSize clientSize,
                         Qt::WindowFlags flags)
    : QWidget(nullptr, flags) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setFixedSize(clientSize);
    setStyleSheet(
        QString("QWidget#%1 { background: rgb(64, 42, 24); }"
                "QLabel { color: rgb(224, 227, 157); }"
                "QPushButton { background: rgb(92, 58, 30); color: rgb(224, 227, 157);"
                " border: 1px solid rgb(140, 100, 60); border-radius: 3px; padding: 2px; }")
            .arg(objectName));
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

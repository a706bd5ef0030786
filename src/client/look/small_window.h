#pragma once

#include <QPixmap>
#include <QPushButton>
#include <QSize>
#include <QString>
#include <QWidget>

// The small windows around the main window share their look: the main
// window's background picture, a fixed client size and a "Done" button that
// hides them.
class SmallWindow : public QWidget {
    Q_OBJECT
public:
    SmallWindow(const QString& objectName, const QString& caption, QSize clientSize,
                Qt::WindowFlags flags = Qt::Window);

    // Shows the window centred on `over` (the main window), raised.
    void showCentredOn(const QWidget* over);

protected:
    QPushButton* addDoneButton(const QRect& geometry);
    void paintEvent(QPaintEvent* event) override;

private:
    // Copied once, when the window is made, like the main window's own.
    QPixmap background;
};

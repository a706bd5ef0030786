#pragma once

#include <QPixmap>
#include <QPushButton>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>

// The small windows around the main window share their look: the main
// window's background picture, a fixed client size and a "Done" button that
// hides them. They answer the keys as dialogs do: Enter takes the focused
// button or the window's default, Escape closes the window.
class SmallWindow : public QWidget {
    Q_OBJECT
public:
    SmallWindow(const QString& objectName, const QString& caption, QSize clientSize,
                Qt::WindowFlags flags = Qt::Window);

    // Shows the window centred on `over` (the main window), raised.
    void showCentredOn(const QWidget* over);

protected:
    // Also the window's default, unless another was set.
    QPushButton* addDoneButton(const QRect& geometry);
    // What Enter does when no button has the focus.
    void setEnterAction(std::function<void()> action) { enterAction_ = std::move(action); }
    void paintEvent(QPaintEvent* event) override;

private:
    // Copied once, when the window is made, like the main window's own.
    QPixmap background;
    std::function<void()> enterAction_;
};

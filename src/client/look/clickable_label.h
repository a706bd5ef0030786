#pragma once

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

// A picture that acts like a button: a click, or Space or Enter while it has
// the focus, so it works from the keyboard too. A ring shows the focus: a
// picture has no frame of its own for the style to draw one on.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    static constexpr QColor kFocusRing{255, 214, 92};

    explicit ClickableLabel(QWidget* parent = nullptr) : QLabel(parent) {
        setFocusPolicy(Qt::StrongFocus);
        setCursor(Qt::PointingHandCursor);
    }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            emit clicked();
    }
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        if (!hasFocus())
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(kFocusRing, 2));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
    }
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)
            emit clicked();
        else
            QLabel::keyPressEvent(event);
    }
};

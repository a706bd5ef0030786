#pragma once

#include <QColor>
#include <QLabel>

// A picture that acts like a button: a click, or Space or Enter while it has
// the focus, so it works from the keyboard too, and a screen reader knows
// it as a button. A ring shows the focus: a picture has no frame of its own
// for the style to draw one on.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    static constexpr QColor kFocusRing{255, 214, 92};

    explicit ClickableLabel(QWidget* parent = nullptr);

    void click() { emit clicked(); }
    // Over whatever drew the picture: a zoomed panel draws it for the label.
    void drawFocusRing();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// A tick box drawn as a picture (the game options): Space or a click
// toggles it; Enter is left to the window, whose default it is.
class TickBox : public ClickableLabel {
    Q_OBJECT
public:
    explicit TickBox(QWidget* parent);

    bool ticked() const { return ticked_; }
    void setTicked(bool ticked);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool ticked_ = false;
};

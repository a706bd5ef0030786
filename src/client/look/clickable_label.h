#pragma once

#include <QColor>
#include <QLabel>

// A label that shows a ring while it has the focus: a label has no frame of
// its own for the style to draw one on (a style sheet could, at a cost
// to every window's start).
class RingedLabel : public QLabel {
    Q_OBJECT
public:
    static constexpr QColor kFocusRing{255, 214, 92};

    using QLabel::QLabel;

    // Over whatever drew the label: a zoomed panel draws pictures for it.
    void drawFocusRing();

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A picture that acts like a button: a click, or Space or Enter while it has
// the focus, so it works from the keyboard too, and a screen reader knows
// it as a button.
class ClickableLabel : public RingedLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget* parent = nullptr);

    void click() { emit clicked(); }

signals:
    void clicked();

protected:
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

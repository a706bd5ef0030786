#pragma once

#include <QPushButton>

// A button that rests for a while after use (the phrase buttons): it keeps
// its place in the focus chain, since a disabled button would throw the
// focus elsewhere, but shows that it rests, to the eye (its "cooling"
// property, for the style sheet) and to a screen reader (unavailable).
class CoolingButton : public QPushButton {
    Q_OBJECT
public:
    explicit CoolingButton(QWidget* parent);

    bool cooling() const { return cooling_; }
    void setCooling(bool cooling);

private:
    bool cooling_ = false;
};

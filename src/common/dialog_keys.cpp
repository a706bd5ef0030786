#include "common/dialog_keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

// Set on the window while an Enter that a control acted on climbs to it.
constexpr char kEnterTaken[] = "enterTaken";

// Marks the Enter keys that reach a control with an Enter of its own.
class OwnEnter : public QObject {
public:
    explicit OwnEnter(QWidget* control) : QObject(control) { control->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (dialogkeys::isEnter(key->key(), key->modifiers()))
                static_cast<QWidget*>(watched)->window()->setProperty(kEnterTaken, true);
        }
        return false;
    }
};

// Sees the keys that the focused control left alone: a key event climbs
// from the focus to the window, through the window's event filters.
class DialogKeys : public QObject {
public:
    DialogKeys(QWidget* window, std::function<void()> enter)
        : QObject(window), window_(window), enter_(std::move(enter)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != window_ || event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            window_->close();
            return true;
        }
        if (!dialogkeys::isEnter(key->key(), key->modifiers()))
            return false;
        if (window_->property(kEnterTaken).toBool()) {
            window_->setProperty(kEnterTaken, false);
            return true;
        }
        // Enter on a choice (a tick box, a round button) is the window's
        // default, as in any dialog: only a push button takes it.
        QWidget* focus = QApplication::focusWidget();
        if (auto* button = qobject_cast<QAbstractButton*>(focus);
            button && button->window() == window_ && !button->isCheckable()) {
            button->click();
        } else if (enter_) {
            enter_();
        }
        return true;
    }

private:
    QWidget* window_;
    std::function<void()> enter_;
};

} // namespace

namespace dialogkeys {

void install(QWidget* window, std::function<void()> enter) {
    new DialogKeys(window, std::move(enter));
}

void keepOwnEnter(QWidget* control) {
    new OwnEnter(control);
}

bool isEnter(int key, int modifiers) {
    return (key == Qt::Key_Return || key == Qt::Key_Enter) &&
           (modifiers & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace dialogkeys

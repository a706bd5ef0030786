#include "client/chat/cooling_button.h"

#include "client/look/accessible_factory.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QStyle>

namespace {

// Qt's own button interface is private: this one says the same, and that
// the button rests.
class CoolingButtonAccessible : public QAccessibleWidget {
public:
    explicit CoolingButtonAccessible(CoolingButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (button()->cooling())
            s.disabled = true;
        return s;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description && button()->cooling())
            return "Resting";
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == pressAction())
            button()->click();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    CoolingButton* button() const { return static_cast<CoolingButton*>(widget()); }
};

} // namespace

CoolingButton::CoolingButton(QWidget* parent) : QPushButton(parent) {
    provideAccessibleInterface<CoolingButton, CoolingButtonAccessible>();
    setProperty("cooling", false);
}

void CoolingButton::setCooling(bool cooling) {
    if (cooling == cooling_)
        return;
    cooling_ = cooling;
    setProperty("cooling", cooling);
    style()->unpolish(this); // the sheet's [cooling="true"] rule follows the property
    style()->polish(this);
    update();
    QAccessible::State changed;
    changed.disabled = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

#include "client/look/clickable_label.h"

#include "client/look/accessible_factory.h"
#include "client/look/artwork.h"
#include "common/dialog_keys.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// A label is only text to a screen reader: these are a button and a tick box.
class ClickableAccessible : public QAccessibleWidget {
public:
    explicit ClickableAccessible(ClickableLabel* label,
                                 QAccessible::Role role = QAccessible::Button)
        : QAccessibleWidget(label, role) {}

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == pressAction())
            static_cast<ClickableLabel*>(widget())->click();
        else
            QAccessibleWidget::doAction(name);
    }
};

class TickBoxAccessible : public ClickableAccessible {
public:
    explicit TickBoxAccessible(TickBox* box) : ClickableAccessible(box, QAccessible::CheckBox) {}

    QAccessible::State state() const override {
        QAccessible::State s = ClickableAccessible::state();
        s.checkable = true;
        s.checked = static_cast<TickBox*>(widget())->ticked();
        return s;
    }
};

} // namespace

ClickableLabel::ClickableLabel(QWidget* parent) : RingedLabel(parent) {
    provideAccessibleInterface<ClickableLabel, ClickableAccessible>();
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void RingedLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    drawFocusRing();
}

void RingedLabel::drawFocusRing() {
    if (!hasFocus())
        return;
    // Gold on a dark edge: it shows on the wood and on the golden Start alike.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF ring = QRectF(rect()).adjusted(2, 2, -2, -2);
    painter.setPen(QPen(QColor(40, 20, 5), 4));
    painter.drawRoundedRect(ring, 3, 3);
    painter.setPen(QPen(kFocusRing, 2));
    painter.drawRoundedRect(ring, 3, 3);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || dialogkeys::isEnter(event->key(), event->modifiers()))
        emit clicked();
    else
        QLabel::keyPressEvent(event);
}

TickBox::TickBox(QWidget* parent) : ClickableLabel(parent) {
    provideAccessibleInterface<TickBox, TickBoxAccessible>();
    setTicked(false);
}

void TickBox::setTicked(bool ticked) {
    const bool changed = ticked != ticked_ || pixmap().isNull();
    ticked_ = ticked;
    setProperty("ticked", ticked);
    if (!changed)
        return;
    setPixmap(artwork::picture(ticked ? ArtRole::BoxTicked : ArtRole::BoxEmpty));
    QAccessible::State state;
    state.checked = true;
    QAccessibleStateChangeEvent event(this, state);
    QAccessible::updateAccessibility(&event);
}

void TickBox::keyPressEvent(QKeyEvent* event) {
    if (dialogkeys::isEnter(event->key(), event->modifiers()))
        event->ignore();
    else
        ClickableLabel::keyPressEvent(event);
}

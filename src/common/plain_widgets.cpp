#include "common/plain_widgets.h"

#include <QLabel>
#include <QWindow>

namespace plainwidgets {

QLabel* label(QWidget* parent, const QString& text) {
    auto* made = new QLabel(parent);
    made->setTextFormat(Qt::PlainText);
    made->setText(text);
    return made;
}

QString toolTip(const QString& text) {
    if (text.isEmpty())
        return text; // no tooltip at all
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

QMessageBox::StandardButton messageBox(QWidget* parent, QMessageBox::Icon icon,
                                       const QString& title, const QString& text,
                                       QMessageBox::StandardButtons buttons) {
    // A window's style sheet reaches every dialog it parents (the tally's
    // light label colour made a box's text vanish on the box's light face).
    // So the box has no parent widget, and looks the same whichever window
    // opens it; it still stands over that window, which it is centred on.
    QMessageBox box(icon, title, text, buttons);
    box.setTextFormat(Qt::PlainText);
    if (parent) {
        box.winId(); // its native window, to be tied to the opener's
        box.windowHandle()->setTransientParent(parent->window()->windowHandle());
    }
    return QMessageBox::StandardButton(box.exec());
}

} // namespace plainwidgets

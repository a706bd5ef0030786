#include "client/join/join_form.h"

#include "client/chat/plain_text.h"
#include "common/environment.h"
#include "common/plain_widgets.h"
#include "net/player_text.h"

#include <QLabel>
#include <QLineEdit>

namespace joinform {

QLineEdit* nameEdit(QWidget* parent, const QRect& geometry) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName("edit_name");
    edit->setGeometry(geometry);
    edit->setMaxLength(playertext::kMaxNameLength);
    edit->setValidator(new BlankingValidator(edit));
    edit->setAccessibleName("Your name");
    return edit;
}

QLabel* messageLine(QWidget* parent, const QRect& geometry) {
    QLabel* line = plainwidgets::label(parent); // it may quote what was typed or given
    line->setObjectName("label_message");
    line->setGeometry(geometry);
    line->setWordWrap(true);
    line->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    line->setStyleSheet("color: rgb(255, 178, 120); font: bold 12px 'Arial';");
    return line;
}

QLabel* caption(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setStyleSheet("font: bold 13px 'Arial';");
    return label;
}

QString lookOf(const QString& smallWindowSheet) {
    return smallWindowSheet +
           "QLineEdit, QListWidget { background: rgb(223, 213, 196); color: black;"
           " border: 1px solid rgb(140, 100, 60); }"
           // The chosen table stands out whether or not the list has the focus.
           "QListWidget::item { padding: 1px 2px; border: 1px solid transparent; }"
           "QListWidget::item:hover { border: 1px solid rgb(140, 100, 60); }"
           "QListWidget::item:selected, QListWidget::item:selected:!active {"
           " background: rgb(92, 58, 30); color: rgb(255, 214, 92);"
           " border: 2px solid rgb(255, 214, 92); }"
           "QPushButton:default { border: 2px solid rgb(224, 227, 157); }"
           "QCheckBox { color: rgb(224, 227, 157); }"
           "QPushButton:disabled { color: rgb(150, 130, 100); }";
}

QString nameProblem(const QString& typed) {
    if (playertext::cleanName(typed).isEmpty())
        return "Type your name: the others see you by it.";
    return {};
}

quint16 defaultPort() {
    bool ok = false;
    const uint port = environment::gamePortName().toUInt(&ok);
    return ok && port >= 1 && port <= 65535 ? quint16(port) : environment::kDefaultGamePort;
}

} // namespace joinform

#include "tally/tallyprompts.h"

#include "common/plain_widgets.h"

#include <QApplication>

bool MessageBoxPrompts::confirm(QWidget* parent, const QString& question) {
    return plainwidgets::messageBox(parent, QMessageBox::Question, QApplication::applicationName(),
                                    question,
                                    QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void MessageBoxPrompts::inform(QWidget* parent, const QString& message) {
    plainwidgets::messageBox(parent, QMessageBox::Warning, QApplication::applicationName(),
                             message);
}

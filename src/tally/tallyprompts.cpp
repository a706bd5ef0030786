#include "tally/tallyprompts.h"

#include <QApplication>
#include <QMessageBox>

bool MessageBoxPrompts::confirm(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, QApplication::applicationName(), question,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void MessageBoxPrompts::inform(QWidget* parent, const QString& message) {
    QMessageBox::warning(parent, QApplication::applicationName(), message);
}

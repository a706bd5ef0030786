#include "client/message_box.h"

#include "common/plain_widgets.h"

namespace messagebox {

static Handler& currentHandler() {
    static Handler handler;
    return handler;
}

void show(QWidget* parent, const QString& text) {
    if (currentHandler()) {
        currentHandler()(parent, text);
        return;
    }
    plainwidgets::messageBox(parent, QMessageBox::Warning, "Ludomyra", text);
}

void setHandler(Handler handler) {
    currentHandler() = std::move(handler);
}

static Question& currentQuestionHandler() {
    static Question handler;
    return handler;
}

bool ask(QWidget* parent, const QString& text) {
    if (currentQuestionHandler())
        return currentQuestionHandler()(parent, text);
    return plainwidgets::messageBox(parent, QMessageBox::Question, "Ludomyra", text,
                                    QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void setQuestionHandler(Question handler) {
    currentQuestionHandler() = std::move(handler);
}

} // namespace messagebox

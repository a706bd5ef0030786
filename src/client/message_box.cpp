#include "client/message_box.h"

#include <QMessageBox>

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
    QMessageBox::warning(parent, "Ludomyra", text);
}

void setHandler(Handler handler) {
    currentHandler() = std::move(handler);
}

} // namespace messagebox

#include "client/look/message_box.h"

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

} // namespace messagebox

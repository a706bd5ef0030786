#include "app/ludomyra_application.h"

#include "client/look/deferred_icon_style.h"
#include "client/look/message_box.h"

#include <exception>

LudomyraApplication::LudomyraApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Ludomyra");
    setStyle(new DeferredIconStyle); // the application owns it
}

bool LudomyraApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        messagebox::show(activeWindow(), QString::fromUtf8(error.what()));
    }
    return false;
}

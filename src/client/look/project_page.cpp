#include "client/look/project_page.h"

#include <QDesktopServices>

namespace projectpage {

// LUDOMYRA_PROJECT_PAGE comes from the build, which keeps the one address
// that the program, the desktop entry and the package share.
QUrl address() {
    return QUrl(QStringLiteral(LUDOMYRA_PROJECT_PAGE));
}

void open() {
    QDesktopServices::openUrl(address());
}

} // namespace projectpage

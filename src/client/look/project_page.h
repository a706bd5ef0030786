#pragma once

#include <QUrl>

// The program's web page, opened by the about window's link line and by the
// main window's logo.
namespace projectpage {

QUrl address();

// Asks the desktop to open the page in its default browser; a failure is
// silent, as there is nothing the player could do about it here.
void open();

} // namespace projectpage

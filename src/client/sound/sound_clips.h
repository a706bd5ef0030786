#pragma once

#include <QString>
#include <QStringList>

namespace soundclips {

// Resource path of the clip with this name ("BACKSPACE", "wave12", ...), matched
// without regard to case; empty for an unknown name.
QString resourcePath(const QString& name);
// Every clip name the program needs, in upper case.
QStringList allNames();

} // namespace soundclips

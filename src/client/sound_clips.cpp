#include "client/sound_clips.h"

// No clips are built in yet: every name is unknown, so nothing plays.
namespace soundclips {

QString resourcePath(const QString&) {
    return {};
}

QStringList allNames() {
    return {};
}

} // namespace soundclips

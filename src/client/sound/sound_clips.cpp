#include "client/sound/sound_clips.h"

// Outside any namespace, as Qt's resource macro needs.
static void loadSoundResources() {
    Q_INIT_RESOURCE(sounds);
}

namespace soundclips {

namespace {

constexpr int kChatterSounds = 20;

QStringList buildNames() {
    QStringList names = {"BACKSPACE", "BALLHIT", "ENTERED", "GAMEOVER",  "RIGHTGUESS",
                         "TURN",      "TURNNEW", "TYPING1", "WRONGGUESS"};
    for (int k = 1; k <= kChatterSounds; ++k)
        names << QString("WAVE%1").arg(k);
    return names;
}

} // namespace

QStringList allNames() {
    static const QStringList names = buildNames();
    return names;
}

QString resourcePath(const QString& name) {
    const QString upper = name.toUpper();
    if (!allNames().contains(upper))
        return {};
    static const bool loaded = (loadSoundResources(), true);
    Q_UNUSED(loaded);
    return QString(":/sounds/%1.wav").arg(upper);
}

} // namespace soundclips

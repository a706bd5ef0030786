#include "client/sound/sound_player.h"

#include "client/sound/audio_output.h"
#include "client/sound/sound_clips.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QUrl>
#include <cstdio>

namespace {

// Beside the program (the build folder), else where installing puts it.
CreateAudioOutput loadAudioModule() {
    const QString programDir = QCoreApplication::applicationDirPath();
    QString problem;
    for (const QString& dir : {programDir, programDir + "/" LUDOMYRA_AUDIO_MODULE_FROM_BIN}) {
        QLibrary module(dir + "/ludomyra-audio");
        if (auto create = reinterpret_cast<CreateAudioOutput>(module.resolve(kCreateAudioOutput)))
            return create; // never unloaded: its objects live to the end
        problem = module.errorString();
    }
    std::fprintf(stderr, "ludomyra: sounds are off: %s\n", qPrintable(problem));
    return nullptr;
}

} // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::play(const QString& name) {
    static const CreateAudioOutput create = loadAudioModule();
    if (!checked_) {
        checked_ = true;
        if (create)
            output_.reset(create());
    }
    if (!output_)
        return;
    const QString path = soundclips::resourcePath(name);
    if (path.isEmpty())
        return;
    output_->play(path.startsWith(u':') ? QUrl("qrc" + path) : QUrl::fromLocalFile(path));
}

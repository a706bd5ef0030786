#include "client/sound_player.h"

#include "client/sound_clips.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

void SoundPlayer::play(const QString& name) {
    // Asking for the devices may try to reach a sound server: once a process.
    static const bool hasOutput = !QMediaDevices::audioOutputs().isEmpty();
    if (!checked_) {
        checked_ = true;
        if (hasOutput)
            effect_ = new QSoundEffect(this);
    }
    if (!effect_)
        return;
    const QString path = soundclips::resourcePath(name);
    if (path.isEmpty())
        return;
    effect_->stop();
    effect_->setSource(path.startsWith(u':') ? QUrl("qrc" + path) : QUrl(path));
    effect_->play();
}

#include "client/sound_player.h"

#include "client/sound_clips.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

void SoundPlayer::play(const QString& name) {
    if (!checked_) {
        checked_ = true;
        if (!QMediaDevices::audioOutputs().isEmpty())
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

// The "ludomyra-audio" module: plays clips through one QSoundEffect. Only
// this module links the multimedia libraries; the game loads it at its
// first clip.
#include "client/sound/audio_output.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>

namespace {

class SoundEffectOutput : public AudioOutput {
public:
    void play(const QUrl& clip) override {
        effect_.stop();
        effect_.setSource(clip);
        effect_.play();
    }

private:
    QSoundEffect effect_;
};

} // namespace

extern "C" Q_DECL_EXPORT AudioOutput* ludomyra_create_audio_output() {
    // Asking for the devices may try to reach a sound server: once a process.
    static const bool hasOutput = !QMediaDevices::audioOutputs().isEmpty();
    return hasOutput ? new SoundEffectOutput : nullptr;
}

// The "ludomyra-audio" module: plays clips through one QSoundEffect. Only
// this module links the multimedia libraries; the game loads it at its
// first clip.
#include "client/sound/audio_output.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSet>
#include <QSoundEffect>
#include <mutex>

namespace {

// The multimedia library retries a sound server that refuses it every few
// seconds and warns each time. The same words again tell nothing new: each
// warning is printed once a run.
QtMessageHandler printWarning = nullptr;

// The library's sound service warns from a thread of its own: the set of
// warnings told is the one thing here shared between threads.
void warnOnce(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    static std::mutex guard;
    static QSet<QString> told;
    constexpr qsizetype kRemembered = 256;
    if (type == QtWarningMsg || type == QtCriticalMsg) {
        const std::lock_guard<std::mutex> lock(guard);
        if (told.contains(text))
            return;
        if (told.size() < kRemembered)
            told.insert(text);
    }
    printWarning(type, context, text);
}

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
    if (!printWarning)
        printWarning = qInstallMessageHandler(warnOnce);
    // Asking for the devices may try to reach a sound server: once a process.
    static const bool hasOutput = !QMediaDevices::audioOutputs().isEmpty();
    return hasOutput ? new SoundEffectOutput : nullptr;
}

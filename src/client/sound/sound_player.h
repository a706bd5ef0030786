#pragma once

#include <QObject>
#include <QString>
#include <memory>

class AudioOutput;

// Plays the built-in clips through one output, so a new clip cuts off the
// one still playing. Without an audio output, or without the audio module,
// it stays silent: it looks once, at the first clip, and then neither warns
// again nor waits.
class SoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;
    // A name without a clip plays nothing (never the platform's beep).
    void play(const QString& name);

private:
    bool checked_ = false;
    std::unique_ptr<AudioOutput> output_;
};

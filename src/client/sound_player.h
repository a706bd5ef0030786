#pragma once

#include <QObject>
#include <QString>

class QSoundEffect;

// Plays the built-in clips through one effect, so a new clip cuts off the
// one still playing. Without an audio output it stays silent: it looks for
// one once, at the first clip, and then neither warns nor waits.
class SoundPlayer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // A name without a clip plays nothing (never the platform's beep).
    void play(const QString& name);

private:
    bool checked_ = false;
    QSoundEffect* effect_ = nullptr;
};

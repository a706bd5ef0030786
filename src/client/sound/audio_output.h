#pragma once

#include <QUrl>

// Where clips are heard. It lives in the "ludomyra-audio" module, loaded at
// the first clip: the sound libraries are a fifth of all the libraries the
// program would otherwise load, and link, before its window can open.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Cuts off the clip still playing.
    virtual void play(const QUrl& clip) = 0;
};

// The module's one entry point: an output, or null when the machine has no
// audio output (asked once a process).
using CreateAudioOutput = AudioOutput* (*)();
inline constexpr char kCreateAudioOutput[] = "ludomyra_create_audio_output";

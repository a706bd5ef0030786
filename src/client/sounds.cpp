#include "client/sounds.h"

// Clip playback comes with the sound player.
void Sounds::playsounds(const QString&) {}

// Chatter sounds come with the sound player.
void Sounds::playasound(const QString&) {}

// The settings file meets the window: what a load applies to each part, and
// what a save gathers from them.
#include "client/tchat.h"

void Tchat::applySettings(const PlayerSettings& loaded) {
    const QRect shown = visibleBounds(loaded.bounds);
    setBounds(shown);
    savedleft = shown.left();
    savedtop = shown.top();
    savedwidth = shown.width();
    savedheight = shown.height();
    options->apply(loaded);
    gamechoice.gametype = loaded.gametype;
    gamechoice.botoff = loaded.botoff;
}

PlayerSettings Tchat::collectSettings() const {
    PlayerSettings now;
    now.bounds = QRect(savedleft, savedtop, savedwidth, savedheight);
    options->collectInto(now);
    now.gametype = gamechoice.gametype;
    now.botoff = gamechoice.botoff;
    return now;
}

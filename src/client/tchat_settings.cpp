// The settings file meets the window: what a load applies to each part, and
// what a save gathers from them.
#include "client/tchat.h"

#include "client/chat/colour_text.h"

void Tchat::applySettings(const PlayerSettings& loaded) {
    applyZoom(loaded.zoom, false); // the stored bounds were the window at that zoom
    const QRect shown = visibleBounds(loaded.bounds);
    setBounds(shown);
    savedleft = shown.left();
    savedtop = shown.top();
    savedwidth = shown.width();
    savedheight = shown.height();
    if (!loaded.boundsStored && loaded.zoom != PlayerSettings::kDefaultZoom)
        applyZoom(loaded.zoom, true); // no window to go with the zoom: the step's size
    options->apply(loaded);
    chat->setTextSize(loaded.textsize);
    chat->setTextColour(colourtext::read(loaded.textcolour).value_or(colourValue(0, 0, 0)));
    chat->setPhrases(loaded.phrases);
    gameChoice().gametype = loaded.gametype;
    gameChoice().botoff = loaded.botoff;
    gameChoice().botfair = loaded.botfair;
    gameChoice().exactmarks = loaded.exactmarks;
}

PlayerSettings Tchat::collectSettings() const {
    PlayerSettings now;
    now.bounds = QRect(savedleft, savedtop, savedwidth, savedheight);
    options->collectInto(now);
    now.textsize = chat->textSize();
    now.textcolour = colourtext::write(chat->textColour());
    now.gametype = gameChoice().gametype;
    now.botoff = gameChoice().botoff;
    now.botfair = gameChoice().botfair;
    now.exactmarks = gameChoice().exactmarks;
    now.zoom = zoomMenu_->percent();
    return now;
}

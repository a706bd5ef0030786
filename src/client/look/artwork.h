#pragma once

#include <QPixmap>
#include <QSize>

// The pictures the windows draw, by what they are for. The loader picks the
// file, so no window names one.
enum class ArtRole {
    Table,
    RackBackground,
    Chalk,
    Eyes,
    TurnMarker,
    Board,
    WordListPanel,
    BoxEmpty,
    BoxTicked,
    StartPicture,
    StartButton,
    Logo,
    ProgramPicture,
    Background,
    AppIcon
};

namespace artwork {

// At its natural size, sharp at the screen's device pixel ratio.
QPixmap picture(ArtRole role);
// Rendered at this logical size.
QPixmap picture(ArtRole role, QSize size);
// 0 is the cue ball, 1..9 the numbered balls; any other number gives the cue ball.
QPixmap ball(int number);
// 0..17 for the smiley codes 10..27; any other index gives smiley 0.
QPixmap smiley(int index);
// What smiley 0..17 shows, in words ("Smile", "Thumbs up"), for a screen reader.
QString smileyTitle(int index);
QSize naturalSize(ArtRole role);

} // namespace artwork

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
// Drawn at this logical size from its source.
QPixmap ball(int number, QSize size);
// Ball 1..9 (any other number gives ball 1) ringed for the board's dark header.
QPixmap ballInPlay(int number);
// The mark under a letter of a judged row: 0 the cue ball, 1..9 the ball in
// play, smaller and ringed so it stands out on any cell colour.
QPixmap markBall(int number);
// 0..17 for the smiley codes 10..27; any other index gives smiley 0.
QPixmap smiley(int index);
// Drawn at this logical size from its source.
QPixmap smiley(int index, QSize size);
// What smiley 0..17 shows, in words ("Smile", "Thumbs up"), for a screen reader.
QString smileyTitle(int index);
QSize naturalSize(ArtRole role);

// For a panel shown at zoom: the same logical size, drawn with the screen's
// pixel ratio times zoom, so that scaled by zoom it is pixel for pixel.
QPixmap picture(ArtRole role, QSize size, qreal zoom);
QPixmap ball(int number, qreal zoom);
// A picture handed out above, drawn anew for zoom; null for any other pixmap.
QPixmap sharpAt(const QPixmap& picture, qreal zoom);

} // namespace artwork

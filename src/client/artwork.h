#pragma once

#include <QPixmap>
#include <QSize>

// Every picture of the game by its role; windows never name files.
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
QPixmap picture(ArtRole role);
QPixmap picture(ArtRole role, QSize size);
QPixmap ball(int number);  // 0 = cue ball, 1..9; anything else gives the cue ball
QPixmap smiley(int index); // 0..17; anything else gives smiley 0
QSize naturalSize(ArtRole role);
} // namespace artwork

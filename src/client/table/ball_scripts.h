#pragma once

#include "net/game_shape.h"

#include <QString>
#include <array>
#include <optional>

// The two fixed scripts the table plays, the starting diamond, and the step
// rule that turns a target into a per-step move.
namespace ballscripts {

inline constexpr int kBalls = game::kBalls + 1; // 0 is the cue ball
inline constexpr int kLines = 27;
// Line 0 breaks, lines 1..8 are the balls the break scatters; each later
// "b0" line is one shot, and its arrival loads the pocket line after it.
inline constexpr int kBreakLines = 8;

struct Point {
    int x = 0;
    int y = 0;
};

struct ScriptLine {
    char state; // 's' break, 'm' move, 'b' move then a second leg, 'p' pocket
    int ball;
    Point target;
    Point next; // 0, 0: no second leg
};

// Line `index` (0..26) of script 1 or 2, as written: state, ball digit, ":",
// then targety, targetx, nexty, nextx, each followed by ",".
QString lineText(int script, int index);
// A line cut into its parts; nothing for "**", an empty or a garbled line.
std::optional<ScriptLine> parseLine(const QString& text);

// Where each ball stands when the table is set up.
Point startingPosition(int ball);
// The order in which the pictures are brought to the front: the cue ball last.
inline constexpr std::array<int, kBalls> kStackOrder = {8, 6, 7, 4, 9, 5, 2, 3, 1, 0};

// About 57 pixels along the straight line from `from` to `to`: the angle is
// atan2 of the horizontal, then the vertical distance; each part is rounded
// to the nearest integer, halves to even.
Point stepToward(Point from, Point to);

} // namespace ballscripts

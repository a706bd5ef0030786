#pragma once

#include <QColor>
#include <QFont>

class QWidget;

// Colours and fonts for plain labels and panels, set through palettes and
// fonts. A style sheet would say the same, but each is parsed on its own and
// restyles every child, and polishing those took much of the start-up.
namespace look {

// The pale gold of captions, names and scores on the dark wood.
inline constexpr QColor kCaptionColour(224, 227, 157);

// The frame around whatever takes the player's keys: the guess row or the
// chat box. Bright enough to find at a glance on the wood and on black.
inline constexpr QColor kFocusColour(255, 176, 0);

// The game's captions: bold Arial at a pixel size.
QFont boldArial(int pixelSize);

// The colour of the widget's text.
void setTextColour(QWidget* widget, const QColor& colour);

// The widget fills its area with the colour.
void setBackground(QWidget* widget, const QColor& colour);

// Draws the focus frame inside the widget's edge, as wide at any zoom; for
// a paintEvent, after the widget's own painting.
void drawFocusFrame(QWidget* widget);

} // namespace look

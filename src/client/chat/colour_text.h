#pragma once

#include "client/chat/colour_value.h"

#include <QColor>
#include <QString>
#include <optional>

// Colours as text, the way chat messages and the settings file carry them:
// a name from the colour table ("clNavy", "clBtnFace", "clNone"), else "$"
// and eight upper-case hexadecimal digits with blue in the high byte.
namespace colourtext {

QString write(ColourValue colour);
// Accepts a table name in any case, a decimal number or "$" and hexadecimal
// digits. Values that are neither RGB, a system colour nor clNone are refused.
std::optional<ColourValue> read(const QString& text);

} // namespace colourtext

// How a colour looks on this desktop: system colours come from the palette,
// clNone is the window text colour.
QColor toQColor(ColourValue colour);
ColourValue fromQColor(const QColor& colour);

#pragma once

#include <QtGlobal>

// A colour as chat messages and the settings file carry it: 24-bit RGB with
// red in the low byte and blue in the high byte ("$000080FF" is orange).
// 0xFF0000nn names the desktop's system colour nn and 0x1FFFFFFF is "clNone".
using ColourValue = quint32;

inline constexpr ColourValue colourValue(int red, int green, int blue) {
    return ColourValue(red) | (ColourValue(green) << 8) | (ColourValue(blue) << 16);
}

// System lines are dark green; a received colour that cannot be read is red.
inline constexpr ColourValue kSystemLineColour = colourValue(0, 94, 0);
inline constexpr ColourValue kUnreadableColour = colourValue(255, 0, 0);

// The desktop's 25 system colours, "clScrollBar" .. "clInfoBk", and "clNone".
inline constexpr ColourValue kSystemColourBase = 0xFF000000;
inline constexpr int kSystemColourCount = 25;
inline constexpr ColourValue kNoColour = 0x1FFFFFFF;

inline constexpr bool isRgbColour(ColourValue value) {
    return value <= 0xFFFFFF;
}
inline constexpr bool isSystemColour(ColourValue value) {
    return value >= kSystemColourBase && value < kSystemColourBase + kSystemColourCount;
}

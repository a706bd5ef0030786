#include "client/chat/colour_text.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

namespace {

struct NamedColour {
    const char* name;
    ColourValue value;
};

constexpr ColourValue system(int index) {
    return kSystemColourBase + ColourValue(index);
}

// The order of the system colours is their index: it travels in the value.
constexpr std::array<NamedColour, 42> kColourTable{{
    {"clBlack", colourValue(0, 0, 0)},
    {"clMaroon", colourValue(128, 0, 0)},
    {"clGreen", colourValue(0, 128, 0)},
    {"clOlive", colourValue(128, 128, 0)},
    {"clNavy", colourValue(0, 0, 128)},
    {"clPurple", colourValue(128, 0, 128)},
    {"clTeal", colourValue(0, 128, 128)},
    {"clGray", colourValue(128, 128, 128)},
    {"clSilver", colourValue(192, 192, 192)},
    {"clRed", colourValue(255, 0, 0)},
    {"clLime", colourValue(0, 255, 0)},
    {"clYellow", colourValue(255, 255, 0)},
    {"clBlue", colourValue(0, 0, 255)},
    {"clFuchsia", colourValue(255, 0, 255)},
    {"clAqua", colourValue(0, 255, 255)},
    {"clWhite", colourValue(255, 255, 255)},
    {"clScrollBar", system(0)},
    {"clBackground", system(1)},
    {"clActiveCaption", system(2)},
    {"clInactiveCaption", system(3)},
    {"clMenu", system(4)},
    {"clWindow", system(5)},
    {"clWindowFrame", system(6)},
    {"clMenuText", system(7)},
    {"clWindowText", system(8)},
    {"clCaptionText", system(9)},
    {"clActiveBorder", system(10)},
    {"clInactiveBorder", system(11)},
    {"clAppWorkSpace", system(12)},
    {"clHighlight", system(13)},
    {"clHighlightText", system(14)},
    {"clBtnFace", system(15)},
    {"clBtnShadow", system(16)},
    {"clGrayText", system(17)},
    {"clBtnText", system(18)},
    {"clInactiveCaptionText", system(19)},
    {"clBtnHighlight", system(20)},
    {"cl3DDkShadow", system(21)},
    {"cl3DLight", system(22)},
    {"clInfoText", system(23)},
    {"clInfoBk", system(24)},
    {"clNone", kNoColour},
}};

struct PaletteEntry {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The nearest palette colour of each system colour, by index.
constexpr std::array<PaletteEntry, kSystemColourCount> kSystemPalette{{
    {QPalette::Active, QPalette::Button},            // scroll bar
    {QPalette::Active, QPalette::Dark},              // desktop background
    {QPalette::Active, QPalette::Highlight},         // active caption
    {QPalette::Inactive, QPalette::Mid},             // inactive caption
    {QPalette::Active, QPalette::Window},            // menu
    {QPalette::Active, QPalette::Base},              // window
    {QPalette::Active, QPalette::Shadow},            // window frame
    {QPalette::Active, QPalette::WindowText},        // menu text
    {QPalette::Active, QPalette::Text},              // window text
    {QPalette::Active, QPalette::HighlightedText},   // caption text
    {QPalette::Active, QPalette::Button},            // active border
    {QPalette::Inactive, QPalette::Button},          // inactive border
    {QPalette::Active, QPalette::Mid},               // application work space
    {QPalette::Active, QPalette::Highlight},         // highlight
    {QPalette::Active, QPalette::HighlightedText},   // highlighted text
    {QPalette::Active, QPalette::Button},            // button face
    {QPalette::Active, QPalette::Mid},               // button shadow
    {QPalette::Disabled, QPalette::Text},            // grey text
    {QPalette::Active, QPalette::ButtonText},        // button text
    {QPalette::Inactive, QPalette::HighlightedText}, // inactive caption text
    {QPalette::Active, QPalette::Light},             // button highlight
    {QPalette::Active, QPalette::Shadow},            // 3D dark shadow
    {QPalette::Active, QPalette::Midlight},          // 3D light
    {QPalette::Active, QPalette::ToolTipText},       // tooltip text
    {QPalette::Active, QPalette::ToolTipBase},       // tooltip background
}};

bool isTableColour(ColourValue value) {
    return isRgbColour(value) || isSystemColour(value) || value == kNoColour;
}

bool allDigits(QStringView text, int base) {
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        const bool digit = c >= '0' && c <= '9';
        const bool hexLetter = (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!digit && !(base == 16 && hexLetter))
            return false;
    }
    return true;
}

std::optional<ColourValue> readNumber(const QString& text) {
    bool ok = false;
    if (text.startsWith('$')) {
        const QStringView digits = QStringView(text).mid(1);
        if (!allDigits(digits, 16) || digits.size() > 8)
            return std::nullopt;
        return ColourValue(digits.toUInt(&ok, 16));
    }
    // Negative numbers are how 32-bit signed writers show the system colours.
    if (text.startsWith('-')) {
        const int value = text.toInt(&ok, 10);
        return ok && allDigits(QStringView(text).mid(1), 10)
                   ? std::optional<ColourValue>(ColourValue(value))
                   : std::nullopt;
    }
    const uint value = text.toUInt(&ok, 10);
    return ok && allDigits(text, 10) ? std::optional<ColourValue>(value) : std::nullopt;
}

} // namespace

namespace colourtext {

QString write(ColourValue colour) {
    for (const NamedColour& entry : kColourTable) {
        if (entry.value == colour)
            return QString::fromLatin1(entry.name);
    }
    return QStringLiteral("$%1").arg(colour, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<ColourValue> read(const QString& text) {
    const QString trimmed = text.trimmed();
    for (const NamedColour& entry : kColourTable) {
        if (trimmed.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return entry.value;
    }
    const std::optional<ColourValue> number = readNumber(trimmed);
    if (number && isTableColour(*number))
        return number;
    return std::nullopt;
}

} // namespace colourtext

QColor toQColor(ColourValue colour) {
    const QPalette palette = QGuiApplication::palette();
    if (isSystemColour(colour)) {
        const PaletteEntry& entry = kSystemPalette[colour - kSystemColourBase];
        return palette.color(entry.group, entry.role);
    }
    if (!isRgbColour(colour))
        return palette.color(QPalette::Active, QPalette::WindowText);
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

ColourValue fromQColor(const QColor& colour) {
    return colourValue(colour.red(), colour.green(), colour.blue());
}

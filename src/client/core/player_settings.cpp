// Reading and writing the player's keys of "glenmorra.ini": defaults for
// missing keys, guards for values a hand edit may have broken.
#include "client/core/player_settings.h"

#include "common/inifile.h"

namespace {

constexpr const char* kSection = PlayerSettings::kSection;

// Switches are on unless the value is exactly "false".
bool readSwitch(const IniFile& ini, const char* key, const char* fallback) {
    return ini.readString(kSection, key, fallback) != QLatin1String("false");
}

QString switchText(bool on) {
    return on ? QStringLiteral("true") : QStringLiteral("false");
}

// Flags are set only by the exact text "1".
int readFlag(const IniFile& ini, const char* key) {
    return ini.readString(kSection, key, "0") == u"1" ? 1 : 0;
}

int readInRange(const IniFile& ini, const char* key, int fallback, int low, int high) {
    const int value = ini.readInteger(kSection, key, fallback);
    return value >= low && value <= high ? value : fallback;
}

constexpr char kFitText[] = "fit";

// "fit", or one of the steps; anything else is the default.
int readZoom(const IniFile& ini) {
    const QString text = ini.readString(kSection, "Zoom", QString());
    if (text.compare(QLatin1String(kFitText), Qt::CaseInsensitive) == 0)
        return PlayerSettings::kFitZoom;
    const int percent = text.toInt();
    for (const int step : PlayerSettings::kZoomSteps) {
        if (percent == step)
            return step;
    }
    return PlayerSettings::kDefaultZoom;
}

} // namespace

PlayerSettings PlayerSettings::read(const IniFile& ini) {
    PlayerSettings s;
    s.textsize = readInRange(ini, "Textsize", kDefaultTextSize, 6, 72);
    // Far beyond any desktop a value is a typing slip, and the sums of a
    // rectangle's edges must not overflow.
    constexpr int kFar = 1 << 20;
    const int top = readInRange(ini, "Top", 3, -kFar, kFar);
    const int left = readInRange(ini, "Left", 3, -kFar, kFar);
    const int width = readInRange(ini, "Width", kDefaultWidth, 1, kFar);
    const int height = readInRange(ini, "Height", kDefaultHeight, 1, kFar);
    s.bounds = QRect(left, top, width, height);
    s.boundsStored = !ini.readString(kSection, "Width", QString()).isEmpty();
    s.textcolour = ini.readString(kSection, "Textcolor", "clblack");
    for (int k = 1; k <= kPhrases; ++k)
        s.phrases[k - 1] = ini.readString(kSection, "Phrase" + QString::number(k), QString());
    s.playsounds = readSwitch(ini, "Playsounds", "on");
    s.showwordlist = readSwitch(ini, "Showwordlist", "true");
    s.betweenrounds = readInRange(ini, "Betweenrounds", 5, 1, 600);
    const QString speed = ini.readString(kSection, "Botspeed", "1000");
    s.botspeed = speed == u"2000" ? 2000 : speed == u"500" ? 500 : 1000;
    s.botoff = readFlag(ini, "Botplay");
    s.botfair = readFlag(ini, "Botfair");
    s.exactmarks = readFlag(ini, "Exactmarks");
    const QString gametype = ini.readString(kSection, "Gametype", "1");
    s.gametype = gametype.isEmpty() ? 1 : readInRange(ini, "Gametype", 1, 1, 4);
    s.turnsound = readFlag(ini, "Turnsound");
    s.chattersounds = readSwitch(ini, "ChatterSounds", "true");
    s.colourtiles = ini.readString(kSection, "ColourTiles", "false") == u"true"; // off unless asked
    s.zoom = readZoom(ini);
    return s;
}

void PlayerSettings::write(IniFile& ini) const {
    ini.writeInteger(kSection, "Textsize", textsize);
    ini.writeInteger(kSection, "Top", bounds.top());
    ini.writeInteger(kSection, "Left", bounds.left());
    ini.writeInteger(kSection, "Width", bounds.width());
    ini.writeInteger(kSection, "Height", bounds.height());
    ini.writeString(kSection, "Textcolor", textcolour);
    ini.writeInteger(kSection, "Botspeed", botspeed);
    ini.writeInteger(kSection, "Gametype", gametype);
    ini.writeInteger(kSection, "Botplay", botoff);
    ini.writeString(kSection, "Playsounds", switchText(playsounds));
    ini.writeString(kSection, "Showwordlist", switchText(showwordlist));
    ini.writeString(kSection, "Turnsound", QString::number(turnsound));
    ini.writeString(kSection, "ChatterSounds", switchText(chattersounds));
    ini.writeInteger(kSection, "Betweenrounds", betweenrounds);
    ini.writeInteger(kSection, "Botfair", botfair);
    ini.writeInteger(kSection, "Exactmarks", exactmarks);
    ini.writeString(kSection, "ColourTiles", switchText(colourtiles));
    ini.writeString(kSection, "Zoom", zoom == kFitZoom ? QString(kFitText) : QString::number(zoom));
}

void PlayerSettings::writePhrases(IniFile& ini, const QStringList& phrases) {
    for (int k = 1; k <= phrases.size(); ++k)
        ini.writeString(kSection, "Phrase" + QString::number(k), phrases[k - 1]);
}

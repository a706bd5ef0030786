// A hand-edited or damaged glenmorra.ini against the settings reader: the
// profile file reader and the player's settings read from it. Every value
// read must lie within its guard, and settings written back and read again
// must come back the same.

#include "client/core/player_settings.h"
#include "common/inifile.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

void require(bool condition) {
    if (!condition)
        __builtin_trap();
}

// A file in a folder of its own: settings are saved by writing a new file
// beside the old and renaming it over, so the path must be a real one.
class ScratchFile {
public:
    ScratchFile() { require(folder.isValid()); }
    QString path() const { return folder.filePath(QStringLiteral("glenmorra.ini")); }
    void replace(const uint8_t* data, size_t size) {
        QFile file(path());
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        require(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    }

private:
    QTemporaryDir folder;
};

bool oneOf(int value, std::initializer_list<int> allowed) {
    return std::find(allowed.begin(), allowed.end(), value) != allowed.end();
}

void checkGuards(const PlayerSettings& s) {
    require(s.textsize >= 6 && s.textsize <= 72);
    require(s.betweenrounds >= 1 && s.betweenrounds <= 600);
    require(oneOf(s.botspeed, {500, 1000, 2000}));
    require(oneOf(s.botoff, {0, 1}));
    require(s.gametype >= 1 && s.gametype <= 4);
    require(oneOf(s.turnsound, {0, 1}));
    require(s.phrases.size() == PlayerSettings::kPhrases);
}

bool same(const PlayerSettings& a, const PlayerSettings& b) {
    return a.textsize == b.textsize && a.bounds == b.bounds && a.textcolour == b.textcolour &&
           a.phrases == b.phrases && a.playsounds == b.playsounds &&
           a.showwordlist == b.showwordlist && a.betweenrounds == b.betweenrounds &&
           a.botspeed == b.botspeed && a.botoff == b.botoff && a.gametype == b.gametype &&
           a.turnsound == b.turnsound && a.chattersounds == b.chattersounds;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ScratchFile file;
    file.replace(data, size);
    IniFile ini(file.path());
    require(ini.load());
    const PlayerSettings settings = PlayerSettings::read(ini);
    checkGuards(settings);

    settings.write(ini);
    PlayerSettings::writePhrases(ini, settings.phrases);
    require(ini.save());
    IniFile again(file.path());
    require(again.load());
    require(same(PlayerSettings::read(again), settings));
    return 0;
}

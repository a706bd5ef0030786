#include "client/client_settings.h"

#include "common/environment.h"
#include "common/inifile.h"

void ClientSettings::loadinifile() {
    if (loaded_)
        return;
    IniFile ini(environment::settingsFile());
    ini.load(); // an unreadable file reads as no file: every key takes its default
    loaded_ = true;
    hooks_.apply(PlayerSettings::read(ini));
}

void ClientSettings::saveinifile() {
    if (!loaded_)
        return;
    const PlayerSettings now = hooks_.collect();
    commit([&now](IniFile& ini) { now.write(ini); });
}

void ClientSettings::savePhrases(const QStringList& phrases) {
    if (!loaded_)
        return;
    commit([&phrases](IniFile& ini) { PlayerSettings::writePhrases(ini, phrases); });
}

// Other sections and keys are read first so they survive; the file is
// replaced whole or not at all.
bool ClientSettings::commit(const std::function<void(IniFile&)>& change) {
    IniFile ini(environment::settingsFile());
    bool ok = ini.load();
    if (ok) {
        change(ini);
        ok = ini.save();
    }
    if (!ok && !failureReported_) {
        failureReported_ = true;
        hooks_.say("0+Could not save the settings.");
    }
    return ok;
}

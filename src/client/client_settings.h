#pragma once

#include "client/core/player_settings.h"

#include <functional>

// When the settings file is read and written. Nothing is written before the
// first load (at the own arrival), so a client that never got in cannot wipe
// the stored settings with its start-up defaults.
class ClientSettings {
public:
    struct Hooks {
        std::function<PlayerSettings()> collect; // the values shown now
        std::function<void(const PlayerSettings&)> apply;
        std::function<void(const QString& line)> say; // a system line
    };
    explicit ClientSettings(Hooks hooks) : hooks_(std::move(hooks)) {}

    void loadinifile(); // once: later calls do nothing
    void saveinifile();
    void savePhrases(const QStringList& phrases);

private:
    bool commit(const std::function<void(IniFile&)>& change);

    Hooks hooks_;
    bool loaded_ = false;
    bool failureReported_ = false;
};

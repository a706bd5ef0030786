#include "host/ini_host_options.h"

#include "common/environment.h"
#include "common/inifile.h"
#include "net/player_text.h"

#include <QSysInfo>

namespace {
const char* const kSection = "Ludomyra";
constexpr int kDefaultBotSpeedMs = 1000;
constexpr int kDefaultBetweenRounds = 5;
// A pause longer than an hour is a typing error, not a wish.
constexpr int kLongestBetweenRounds = 3600;
} // namespace

IniHostOptions::IniHostOptions(QString path) : path_(std::move(path)) {}

QString IniHostOptions::defaultPath() {
    return environment::settingsFile();
}

int IniHostOptions::botSpeedMs() const {
    return botSpeedFromText(readKey("Botspeed", "1000"));
}

int IniHostOptions::betweenRoundsTicks() const {
    return betweenRoundsFromText(readKey("Betweenrounds", "5"));
}

bool IniHostOptions::botFair() const {
    return ruleFromText(readKey("Botfair", "0"));
}

bool IniHostOptions::exactMarks() const {
    return ruleFromText(readKey("Exactmarks", "0"));
}

QString IniHostOptions::tableName() const {
    const QString name = playertext::cleanName(readKey("Tablename", QString()));
    if (!name.isEmpty())
        return name;
    const QString computer = playertext::cleanName(QSysInfo::machineHostName());
    return computer.isEmpty() ? QStringLiteral("Ludomyra") : computer;
}

bool IniHostOptions::discoveryOn() const {
    return readKey("Discovery", "1").trimmed() != QLatin1String("0");
}

bool IniHostOptions::portMappingOn() const {
    return ruleFromText(readKey("PortMapping", "0"));
}

int IniHostOptions::botSpeedFromText(const QString& text) {
    const QString value = text.trimmed();
    if (value == "2000")
        return 2000;
    if (value == "500")
        return 500;
    return kDefaultBotSpeedMs;
}

int IniHostOptions::betweenRoundsFromText(const QString& text) {
    const std::optional<int> value = IniFile::parseInteger(text.trimmed());
    if (!value || *value < 0 || *value > kLongestBetweenRounds)
        return kDefaultBetweenRounds;
    return *value;
}

bool IniHostOptions::ruleFromText(const QString& text) {
    return text.trimmed() == QLatin1String("1");
}

QString IniHostOptions::readKey(const QString& key, const QString& fallback) const {
    IniFile file(path_);
    if (!file.load())
        return fallback;
    return file.readString(kSection, key, fallback);
}

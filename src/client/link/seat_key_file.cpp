#include "client/link/seat_key_file.h"

#include "client/core/player_settings.h"
#include "common/inifile.h"
#include "net/rejoin_messages.h"

namespace {

constexpr char kKey[] = "Rejoin";

} // namespace

std::optional<SeatKeyFile::Entry> SeatKeyFile::valid() const {
    IniFile ini(file_);
    ini.load();
    const QString text = ini.readString(PlayerSettings::kSection, kKey, {});
    if (text.isEmpty())
        return std::nullopt;
    Entry entry{text.section(u'|', 0, 0), text.section(u'|', 1, 1),
                QDateTime::fromString(text.section(u'|', 2, 2), Qt::ISODate)};
    if (entry.table.isEmpty() || !rejoinmsg::isKey(entry.key) || !entry.expires.isValid() ||
        entry.expires <= QDateTime::currentDateTimeUtc()) {
        forget();
        return std::nullopt;
    }
    return entry;
}

bool SeatKeyFile::store(const Entry& entry) const {
    IniFile ini(file_);
    if (!ini.load())
        return false;
    ini.writeString(PlayerSettings::kSection, kKey,
                    entry.table + u'|' + entry.key + u'|' +
                        entry.expires.toUTC().toString(Qt::ISODateWithMs));
    return ini.save();
}

void SeatKeyFile::forget() const {
    IniFile ini(file_);
    if (!ini.load() || ini.readString(PlayerSettings::kSection, kKey, {}).isEmpty())
        return;
    ini.writeString(PlayerSettings::kSection, kKey, {});
    ini.save();
}

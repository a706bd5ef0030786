#include "client/join/table_memory.h"

#include "client/core/player_settings.h"
#include "common/inifile.h"
#include "net/player_text.h"

namespace {

constexpr const char* kSection = PlayerSettings::kSection;

QString recentKey(int number) {
    return "Recent" + QString::number(number);
}

QList<TableMemory::Recent> readRecent(const IniFile& ini) {
    QList<TableMemory::Recent> tables;
    for (int n = 1; n <= TableMemory::kRecentTables; ++n) {
        const QString entry = ini.readString(kSection, recentKey(n), {});
        const AddressReading reading = tableaddress::read(entry.section(u'|', 0, 0), 0);
        if (!reading.address || reading.link || reading.address->port == 0)
            continue;
        QDateTime when = QDateTime::fromString(entry.section(u'|', 1), Qt::ISODate);
        tables.append({*reading.address, when});
    }
    return tables;
}

} // namespace

TableMemory::TableMemory(QString settingsFile) : file_(std::move(settingsFile)) {}

QString TableMemory::playerName() const {
    IniFile ini(file_);
    ini.load();
    return playertext::cleanName(ini.readString(kSection, "Playername", {}));
}

QList<TableMemory::Recent> TableMemory::recentTables() const {
    IniFile ini(file_);
    ini.load();
    return readRecent(ini);
}

bool TableMemory::portMapping() const {
    IniFile ini(file_);
    ini.load();
    return ini.readString(kSection, "PortMapping", "1").trimmed() != u"0";
}

bool TableMemory::rememberPortMapping(bool on) {
    IniFile ini(file_);
    if (!ini.load())
        return false;
    ini.writeString(kSection, "PortMapping", on ? "1" : "0");
    return ini.save();
}

bool TableMemory::rememberName(const QString& name) {
    IniFile ini(file_);
    if (!ini.load())
        return false;
    ini.writeString(kSection, "Playername", playertext::cleanName(name));
    return ini.save();
}

bool TableMemory::rememberJoined(const TableAddress& table, const QDateTime& when) {
    return putFirst(table, when, false);
}

bool TableMemory::rememberJoinedAgain(const TableAddress& table, const QDateTime& when) {
    return putFirst(table, when, true);
}

bool TableMemory::putFirst(const TableAddress& table, const QDateTime& when, bool onlyIfListed) {
    IniFile ini(file_);
    if (!ini.load())
        return false;
    QList<Recent> tables = readRecent(ini);
    const auto removed = tables.removeIf([&table](const Recent& known) {
        return known.address.port == table.port &&
               known.address.host.compare(table.host, Qt::CaseInsensitive) == 0;
    });
    if (onlyIfListed && removed == 0)
        return true;
    tables.prepend({table, when});
    for (int n = 1; n <= kRecentTables; ++n) {
        const QString entry = n <= tables.size()
                                  ? tables[n - 1].address.text() + u'|' +
                                        tables[n - 1].when.toUTC().toString(Qt::ISODate)
                                  : QString();
        ini.writeString(kSection, recentKey(n), entry);
    }
    return ini.save();
}

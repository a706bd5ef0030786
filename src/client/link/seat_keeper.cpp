#include "client/link/seat_keeper.h"

#include "client/link/seat_key_file.h"
#include "common/environment.h"

namespace {

constexpr int kGraceMs = 60 * 1000;

SeatKeyFile keyFile() {
    return SeatKeyFile(environment::settingsFile());
}

QDateTime endOfGrace() {
    return QDateTime::currentDateTimeUtc().addMSecs(SeatKeeper::graceMs());
}

} // namespace

int SeatKeeper::graceMs() {
    return environment::scaledInterval(kGraceMs);
}

// Six writes a grace: a restarted program underrates the time left by at
// most a sixth of it.
SeatKeeper::SeatKeeper(QObject* parent) : QObject(parent) {
    refresh_.setInterval(graceMs() / 6);
    connect(&refresh_, &QTimer::timeout, this, [this] { refresh(); });
}

void SeatKeeper::keyArrived(const QString& table, const QString& key) {
    keyFile().store({table, key, endOfGrace()});
    refresh_.start();
}

void SeatKeeper::dropped() {
    refresh();
    refresh_.stop();
}

void SeatKeeper::forget(const QString& table) {
    const std::optional<SeatKeyFile::Entry> entry = keyFile().valid();
    if (!entry || entry->table != table)
        return;
    refresh_.stop();
    keyFile().forget();
}

void SeatKeeper::refresh() {
    std::optional<SeatKeyFile::Entry> entry = keyFile().valid();
    if (!entry) {
        refresh_.stop();
        return;
    }
    entry->expires = endOfGrace();
    keyFile().store(*entry);
}

QString SeatKeeper::keyFor(const QString& table) const {
    const std::optional<SeatKeyFile::Entry> entry = keyFile().valid();
    return entry && entry->table == table ? entry->key : QString();
}

QString SeatKeeper::heldTable() const {
    const std::optional<SeatKeyFile::Entry> entry = keyFile().valid();
    return entry ? entry->table : QString();
}

#pragma once

#include "net/game_shape.h"

#include <QString>
#include <array>

// The secret keys that let a player whose connection dropped back into the
// seat: at most one live key per seat, 256 bits from the system's secure
// source, kept in memory only. Every key is good for one try.
class RejoinKeys {
public:
    // A new key for the seat; the seat's old key is dead.
    QString issue(int seat);
    // The seat whose key this is, or 0. The key is dead afterwards either way.
    int redeem(const QString& key);
    void revoke(int seat);
    bool has(int seat) const { return !key(seat).isEmpty(); }

private:
    QString& key(int seat) { return keys_[static_cast<size_t>(seat)]; }
    const QString& key(int seat) const { return keys_[static_cast<size_t>(seat)]; }

    std::array<QString, game::kSeats + 1> keys_; // index 0 unused
};

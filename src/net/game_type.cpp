#include "net/game_type.h"

namespace gametype {

namespace {
// In the order of the enum.
constexpr const char* kWords[] = {"high", "most", "nine", "race"};
} // namespace

QLatin1String word(GameType type) {
    return QLatin1String(kWords[static_cast<int>(type)]);
}

std::optional<GameType> fromWord(QStringView text) {
    for (const GameType type : kAll) {
        if (text == word(type))
            return type;
    }
    return std::nullopt;
}

} // namespace gametype

#pragma once

#include <QLatin1String>
#include <QStringView>
#include <optional>

// The four ways a game is won; the start message, a late joiner's game
// stats and the discovery reply carry each as its word.
enum class GameType { High, Most, Nine, Race };

namespace gametype {

inline constexpr GameType kAll[] = {GameType::High, GameType::Most, GameType::Nine, GameType::Race};

// "high", "most", "nine" or "race".
QLatin1String word(GameType type);
// nullopt for any other text, letter case included.
std::optional<GameType> fromWord(QStringView text);

} // namespace gametype

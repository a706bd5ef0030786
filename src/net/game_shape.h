#pragma once

// The shape of the game, one definition for host and client so that the two
// cannot drift apart.
namespace game {

// Connection slots 1..kSlots: slots 1..kSeats sit at the table, the rest are
// spies who watch everything and play nothing.
inline constexpr int kSeats = 5;
inline constexpr int kSlots = 9;
// The host player's own client always holds slot 1.
inline constexpr int kHostPlayerSlot = 1;

// The computer player plays for this seat when nobody sits there.
inline constexpr int kBotSeat = 2;
inline constexpr char kBotName[] = "Klot";

// A word has kLetters letters and kRows guesses; a game pockets kBalls balls,
// one word each.
inline constexpr int kRows = 5;
inline constexpr int kLetters = 5;
inline constexpr int kBalls = 9;

} // namespace game

#pragma once

#include "net/game_shape.h"

#include <QString>
#include <QStringView>
#include <array>

// The judge's verdict on one letter of a guess, as the wire spells it.
enum class Mark : char {
    Right = 's',     // the right letter in this place
    Elsewhere = 'c', // the letter stands elsewhere in the word
    Absent = 'x',    // neither
};
// A judged row: one mark per letter, from the judge to the board.
using Marks = std::array<Mark, game::kLetters>;

namespace marks {

// Five characters, one per letter.
QString text(const Marks& marks);
// Any text: a missing or unknown mark is Absent.
Marks read(QStringView text);

} // namespace marks

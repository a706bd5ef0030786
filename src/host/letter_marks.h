#pragma once

#include "net/marks.h"

#include <QString>
#include <QStringView>
#include <array>

// How a table marks a guess against the hidden word: "s" right letter in this
// place, "c" the letter stands elsewhere, "x" neither. Letters are compared in
// capitals; a guess shorter than five letters is "x" past its end.
enum class MarksRule {
    // The game's own rule: a right-place letter is marked "c" too whenever the
    // same letter stands at another place of the hidden word whose own mark is
    // not "s", and copies are not counted.
    Classic,
    // A right-place letter is always "s"; a guessed letter is marked "c" only as
    // many times as it stands, unmatched, in the hidden word, left to right.
    Exact,
};

inline constexpr int kMarkedLetters = game::kLetters;

// The judging itself, without allocating: the host and a fair computer player
// both mark through here, so that the player never rules out the hidden word.
Marks markLetters(QStringView guess, QStringView hidden, MarksRule rule);

// The same marks as the five characters a CMD_yourletters carries.
QString lettermarks(const QString& guess, const QString& hidden,
                    MarksRule rule = MarksRule::Classic);

#include "host/letter_marks.h"

namespace {

QChar letterAt(QStringView word, int index) {
    return index < word.size() ? word.at(index).toUpper() : QChar();
}

bool samePlace(QStringView guess, QStringView hidden, int i) {
    return !letterAt(guess, i).isNull() && letterAt(guess, i) == letterAt(hidden, i);
}

Marks classicMarks(QStringView guess, QStringView hidden) {
    Marks marks;
    marks.fill(Mark::Absent);
    for (int i = 0; i < kMarkedLetters; ++i) {
        if (samePlace(guess, hidden, i))
            marks[i] = Mark::Right;
    }
    // Marks changed earlier in this pass count for later letters, as do the "s"
    // marks set above, which this pass may itself turn into "c".
    for (int i = 0; i < kMarkedLetters; ++i) {
        const QChar letter = letterAt(guess, i);
        if (letter.isNull())
            continue;
        for (int j = 0; j < kMarkedLetters; ++j) {
            if (j != i && letter == letterAt(hidden, j) && marks[j] != Mark::Right)
                marks[i] = Mark::Elsewhere;
        }
    }
    return marks;
}

Marks exactMarks(QStringView guess, QStringView hidden) {
    Marks marks;
    marks.fill(Mark::Absent);
    std::array<bool, kMarkedLetters> taken{}; // places of the hidden word already accounted for
    for (int i = 0; i < kMarkedLetters; ++i) {
        if (samePlace(guess, hidden, i)) {
            marks[i] = Mark::Right;
            taken[i] = true;
        }
    }
    for (int i = 0; i < kMarkedLetters; ++i) {
        const QChar letter = letterAt(guess, i);
        if (marks[i] == Mark::Right || letter.isNull())
            continue;
        for (int j = 0; j < kMarkedLetters; ++j) {
            if (!taken[j] && letter == letterAt(hidden, j)) {
                marks[i] = Mark::Elsewhere;
                taken[j] = true;
                break;
            }
        }
    }
    return marks;
}

} // namespace

Marks markLetters(QStringView guess, QStringView hidden, MarksRule rule) {
    return rule == MarksRule::Exact ? exactMarks(guess, hidden) : classicMarks(guess, hidden);
}

QString lettermarks(const QString& guess, const QString& hidden, MarksRule rule) {
    return marks::text(markLetters(guess, hidden, rule));
}

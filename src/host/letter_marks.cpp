#include "host/letter_marks.h"

namespace {

QChar letterAt(QStringView word, int index) {
    return index < word.size() ? word.at(index).toUpper() : QChar();
}

bool samePlace(QStringView guess, QStringView hidden, int i) {
    return !letterAt(guess, i).isNull() && letterAt(guess, i) == letterAt(hidden, i);
}

LetterMarks classicMarks(QStringView guess, QStringView hidden) {
    LetterMarks marks;
    marks.fill('x');
    for (int i = 0; i < kMarkedLetters; ++i) {
        if (samePlace(guess, hidden, i))
            marks[i] = 's';
    }
    // Marks changed earlier in this pass count for later letters, as do the "s"
    // marks set above, which this pass may itself turn into "c".
    for (int i = 0; i < kMarkedLetters; ++i) {
        const QChar letter = letterAt(guess, i);
        if (letter.isNull())
            continue;
        for (int j = 0; j < kMarkedLetters; ++j) {
            if (j != i && letter == letterAt(hidden, j) && marks[j] != 's')
                marks[i] = 'c';
        }
    }
    return marks;
}

LetterMarks exactMarks(QStringView guess, QStringView hidden) {
    LetterMarks marks;
    marks.fill('x');
    std::array<bool, kMarkedLetters> taken{}; // places of the hidden word already accounted for
    for (int i = 0; i < kMarkedLetters; ++i) {
        if (samePlace(guess, hidden, i)) {
            marks[i] = 's';
            taken[i] = true;
        }
    }
    for (int i = 0; i < kMarkedLetters; ++i) {
        const QChar letter = letterAt(guess, i);
        if (marks[i] == 's' || letter.isNull())
            continue;
        for (int j = 0; j < kMarkedLetters; ++j) {
            if (!taken[j] && letter == letterAt(hidden, j)) {
                marks[i] = 'c';
                taken[j] = true;
                break;
            }
        }
    }
    return marks;
}

} // namespace

LetterMarks markLetters(QStringView guess, QStringView hidden, MarksRule rule) {
    return rule == MarksRule::Exact ? exactMarks(guess, hidden) : classicMarks(guess, hidden);
}

QString lettermarks(const QString& guess, const QString& hidden, MarksRule rule) {
    const LetterMarks marks = markLetters(guess, hidden, rule);
    return QString::fromLatin1(marks.data(), kMarkedLetters);
}

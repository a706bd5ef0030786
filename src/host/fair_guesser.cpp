#include "host/fair_guesser.h"

#include "common/random.h"
#include "host/host_state.h"
#include "host/letter_marks.h"
#include "host/word_lists.h"

#include <QSet>
#include <QStringList>
#include <algorithm>
#include <array>
#include <vector>

namespace {

// Choosing among a few good words, not the one best, keeps games different
// and Klot beatable.
constexpr int kBestFew = 10;
constexpr int kAlphabet = 26;

struct SeenGuess {
    QString word;
    Marks marks;
};

std::vector<SeenGuess> marksSeenBy(const HostState& state, int seat) {
    std::vector<SeenGuess> seen;
    for (const JudgedGuess& judged : state.judged) {
        if (!state.playing(GameType::Nine) && judged.slot != seat)
            continue;
        seen.push_back({judged.word, judged.marks});
    }
    return seen;
}

// Words in lower case, as the dictionary holds them.
QSet<QString> wordsTriedBy(const HostState& state, int seat, const std::vector<SeenGuess>& seen) {
    QSet<QString> tried;
    for (const QString& word : state.player(seat).rowwords)
        tried.insert(word.toLower());
    for (const SeenGuess& guess : seen)
        tried.insert(guess.word.toLower());
    return tried;
}

bool agreesWithEveryMark(const QString& candidate, const std::vector<SeenGuess>& seen,
                         MarksRule rule) {
    return std::all_of(seen.begin(), seen.end(), [&](const SeenGuess& guess) {
        return markLetters(guess.word, candidate, rule) == guess.marks;
    });
}

int alphabetIndex(QChar letter) {
    const char16_t c = letter.unicode();
    return c >= u'a' && c <= u'z' ? c - u'a' : -1;
}

// The letters after the first, each counted once.
template <typename Visit> void forEachOwnLetter(const QString& word, Visit visit) {
    std::array<bool, kAlphabet> met{};
    for (int i = 1; i < word.size(); ++i) {
        const int index = alphabetIndex(word.at(i));
        if (index >= 0 && !met[index]) {
            met[index] = true;
            visit(index);
        }
    }
}

// A word scores by how many candidates share each of its letters: whatever the
// marks say of them, they rule out the most.
QString pickAmongTheBest(const QStringList& candidates) {
    std::array<int, kAlphabet> sharing{};
    for (const QString& word : candidates)
        forEachOwnLetter(word, [&](int index) { ++sharing[index]; });
    std::vector<std::pair<int, int>> ranked; // score, index into candidates
    ranked.reserve(candidates.size());
    for (int n = 0; n < candidates.size(); ++n) {
        int score = 0;
        forEachOwnLetter(candidates.at(n), [&](int index) { score += sharing[index]; });
        ranked.emplace_back(score, n);
    }
    const int few = std::min<int>(kBestFew, int(ranked.size()));
    std::partial_sort(ranked.begin(), ranked.begin() + few, ranked.end(),
                      [](const auto& a, const auto& b) { return a.first > b.first; });
    return candidates.at(ranked[size_t(randomBelow(few))].second);
}

} // namespace

QString fairGuess(const HostState& state, const WordLists& words, int seat) {
    if (state.hiddenword.isEmpty())
        return QString();
    const std::vector<SeenGuess> seen = marksSeenBy(state, seat);
    const QSet<QString> tried = wordsTriedBy(state, seat, seen);
    QStringList untried;
    QStringList agreeing;
    for (const QString& word : words.dictionaryWordsStartingWith(state.hiddenword.front())) {
        if (tried.contains(word))
            continue;
        untried.append(word);
        if (agreesWithEveryMark(word, seen, state.marksrule))
            agreeing.append(word);
    }
    if (!agreeing.isEmpty())
        return pickAmongTheBest(agreeing).toUpper();
    if (!untried.isEmpty())
        return untried.at(randomBelow(int(untried.size()))).toUpper();
    return QString();
}

// Klot alone at the table, word after word on the real word lists: how often
// it finds the word within its five rows, in how many rows, and what one of its
// moves costs the UI thread (the search and the judging of its guess). The
// classic player, who is given letters, is measured beside the fair one.
#include "figure.h"
#include "rules_harness.h"

#include <algorithm>
#include <cstdlib>
#include <string>

using namespace bench;

namespace {

int wordsWanted() {
    const char* text = std::getenv("LUDOMYRA_BENCH_WORDS");
    return text ? std::max(1, std::atoi(text)) : 1000;
}

struct Table {
    const char* name;
    bool fair;
    bool exact;
};

void measure(const Table& table, const QStringList& hidden, const QStringList& dictionary) {
    RulesHarness host(hidden, dictionary);
    host.options.botfair = table.fair;
    host.options.exactmarks = table.exact;
    const int words = wordsWanted();
    int found = 0, rowsToFind = 0;
    std::vector<double> moveMs;
    for (int n = 0; n < words; ++n) {
        const KlotWord word = host.klotPlaysAWord();
        if (word.found()) {
            ++found;
            rowsToFind += int(word.guesses.size());
        }
        for (const auto time : word.moveTimes)
            moveMs.push_back(std::chrono::duration<double, std::milli>(time).count());
    }
    double total = 0;
    for (double ms : moveMs)
        total += ms;
    const double mean = moveMs.empty() ? 0 : total / double(moveMs.size());
    const double worst = moveMs.empty() ? 0 : *std::max_element(moveMs.begin(), moveMs.end());
    const double share = 100.0 * found / words;
    const double rows = found ? double(rowsToFind) / found : 0;

    const std::string name = table.name;
    const auto figure = [&](const char* what, double value, int decimals, const char* unit,
                            const char* goal, bool met) {
        printFigure((name + ": " + what).c_str(), value, decimals, unit, table.fair ? goal : "-",
                    !table.fair || met);
    };
    figure("found within five rows", share, 1, "%", ">= 80 %", share >= 80);
    figure("rows to a find, mean", rows, 2, "rows", "-", true);
    figure("move cost, mean", mean, 3, "ms", "< 1 ms", mean < 1);
    figure("move cost, worst", worst, 3, "ms", "< 5 ms", worst < 5);
}

} // namespace

int main() {
    const QStringList hidden = builtInWordList("hidden");
    const QStringList dictionary = builtInWordList("dictionary");
    if (hidden.isEmpty() || dictionary.isEmpty()) {
        std::fprintf(stderr, "klot_bench: no word lists\n");
        return 1;
    }
    const Table tables[] = {{"classic Klot (given letters)", false, false},
                            {"fair Klot, classic marks", true, false},
                            {"fair Klot, exact marks", true, true}};
    for (const Table& table : tables)
        measure(table, hidden, dictionary);
    return 0;
}

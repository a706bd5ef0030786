#pragma once

// One line of the figures table that `make bench` prints (bench/run-benchmarks
// collects them from every benchmark): a tab-separated record that begins
// with "FIGURE".

#include <cstdio>

namespace bench {

// value is printed with the given number of decimals, followed by unit; goal
// is the aim in words ("< 10 ms"), met whether this run reached it.
inline void printFigure(const char* name, double value, int decimals, const char* unit,
                        const char* goal, bool met) {
    std::printf("FIGURE\t%s\t%.*f %s\t%s\t%s\n", name, decimals, value, unit, goal,
                met ? "met" : "MISSED");
    std::fflush(stdout);
}

// A row whose measurement went wrong, and why.
inline void printFailure(const char* name, const char* why) {
    std::printf("FIGURE\t%s\tfailed: %s\t\tMISSED\n", name, why);
    std::fflush(stdout);
}

} // namespace bench

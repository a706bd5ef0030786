#include "client/table/ball_scripts.h"

#include <QStringList>
#include <cmath>
#include <numbers>

namespace ballscripts {
namespace {

// tools/ballscripts.py reads kScript1, kScript2 and kStart from this file to
// check the table picture against them: keep the names and the layout of
// one quoted line or one {x, y} per entry.
constexpr const char* kScript1[kLines] = {
    "s0:113,155,169,251,", "m1:54,345,0,0,",     "m2:37,231,0,0,",  "m3:96,231,0,0,",
    "m4:28,84,0,0,",       "m5:203,308,0,0,",    "m9:136,172,0,0,", "m6:69,42,0,0,",
    "m7:172,74,0,0,",      "b0:65,328,89,264,",  "p1:6,441,0,0,",   "b0:57,236,73,188,",
    "p2:5,223,0,0,",       "b0:85,213,29,173,",  "p3:224,439,0,0,", "b0:29,104,133,208,",
    "p4:15,4,0,0,",        "b0:197,288,85,192,", "p5:215,436,0,0,", "b0:85,48,117,32,",
    "p6:10,7,0,0,",        "b0:181,56,53,136,",  "p7:213,436,0,0,", "b0:93,72,69,152,",
    "p8:221,8,0,0,",       "b0:117,163,85,256,", "p9:232,220,0,0,",
};

constexpr const char* kScript2[kLines] = {
    "s0:102,157,174,341,", "m1:126,393,0,0,",     "m2:29,183,0,0,",  "m3:193,264,0,0,",
    "b4:26,276,50,324,",   "b5:203,68,179,124,",  "m6:61,42,0,0,",   "m7:144,26,0,0,",
    "b8:109,24,157,215,",  "b0:147,389,0,0,",     "p1:6,441,0,0,",   "b0:38,197,126,333,",
    "p2:13,7,0,0,",        "b0:182,280,22,376,",  "p3:232,221,0,0,", "b0:39,338,47,218,",
    "p4:217,8,0,0,",       "b0:179,130,179,115,", "p5:217,8,0,0,",   "b0:78,55,0,0,",
    "p6:13,7,0,0,",        "b0:126,25,174,97,",   "p7:217,8,0,0,",   "b0:168,195,152,39,",
    "p8:6,441,0,0,",       "b0:125,84,157,252,",  "p9:3,222,0,0,",
};

constexpr Point kStart[kBalls] = {{337, 102}, {137, 110}, {119, 101}, {119, 120}, {100, 92},
                                  {100, 131}, {82, 101},  {82, 120},  {64, 109},  {100, 112}};

} // namespace

QString lineText(int script, int index) {
    if (index < 0 || index >= kLines)
        return {};
    return QString::fromLatin1(script == 1 ? kScript1[index] : kScript2[index]);
}

std::optional<ScriptLine> parseLine(const QString& text) {
    if (text.size() < 3 || text[2] != u':' || !text[1].isDigit())
        return std::nullopt;
    const QStringList numbers = text.mid(3).split(u',');
    // Four numbers, each closed by ",": five pieces, the last one empty.
    if (numbers.size() != 5 || !numbers[4].isEmpty())
        return std::nullopt;
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = numbers[i].toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    return ScriptLine{
        text[0].toLatin1(), text[1].digitValue(), {values[1], values[0]}, {values[3], values[2]}};
}

Point startingPosition(int ball) {
    return ball >= 0 && ball < kBalls ? kStart[ball] : Point{};
}

Point stepToward(Point from, Point to) {
    constexpr double K = 180.0 / std::numbers::pi;
    const double theta = std::atan2(double(to.x - from.x), double(to.y - from.y));
    // nearbyint follows the default rounding mode: to nearest, halves to even.
    return {int(std::nearbyint(K * std::sin(theta))), int(std::nearbyint(K * std::cos(theta)))};
}

} // namespace ballscripts

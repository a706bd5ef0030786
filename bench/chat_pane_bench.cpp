// What a player waits for when a line arrives: adding it to the pane, laying
// it out and painting it, for the longest line a host relays (64 KiB) in
// several shapes, and for one short line in a full pane. The aim is well under
// 100 ms for every 64 KiB shape, so the window never seems to freeze.
// For the `make bench` table it also prints what one line costs behind 2,000
// lines of 64 KiB while the sender's colour alternates with every line: that
// cost must not grow with what the pane holds.
#include "client/chat/chat_pane.h"
#include "figure.h"

#include <QApplication>
#include <QTextDocument>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <ctime>
#include <vector>

namespace {

constexpr int kHugeLine = 64 * 1024;

QString repeatedToSize(const QString& unit) {
    QString text;
    while (text.size() < kHugeLine)
        text += unit;
    text.truncate(kHugeLine);
    return text;
}

ChatPane& shownPane() {
    static ChatPane* pane = [] {
        auto* created = new ChatPane;
        created->resize(344, 171);
        created->show();
        return created;
    }();
    return *pane;
}

void addAndPaint(ChatPane& pane, const QString& line, ColourValue colour) {
    pane.addlinetochat(line, colour);
    pane.viewport()->repaint();
}

void hugeLine(benchmark::State& state, const QString& unit) {
    ChatPane& pane = shownPane();
    const QString line = "3+Ann chats: " + repeatedToSize(unit);
    for (auto _ : state) {
        state.PauseTiming();
        pane.clearChat();
        addAndPaint(pane, "3+Ann chats: before", 0);
        state.ResumeTiming();
        addAndPaint(pane, line, 0);
    }
    state.SetBytesProcessed(state.iterations() * kHugeLine);
}

void BM_HugeLineOfWords(benchmark::State& state) {
    hugeLine(state, "words ");
}
void BM_HugeLineOneWord(benchmark::State& state) {
    hugeLine(state, "x");
}
void BM_HugeLineOfLinks(benchmark::State& state) {
    hugeLine(state, "www.a.b ");
}
void BM_HugeLineOfSmileys(benchmark::State& state) {
    hugeLine(state, ":)#12");
}
void BM_HugeLineOfBlanks(benchmark::State& state) {
    hugeLine(state, " ");
}

// One line into a pane that is full, so old lines are trimmed as it goes;
// the sender's colour changes with every line when colourChanges is set.
void BM_LineIntoFullPane(benchmark::State& state) {
    ChatPane& pane = shownPane();
    pane.clearChat();
    for (int line = 0; line < ChatPane::kMaxLines; ++line)
        pane.addlinetochat("3+Ann chats: hello www.a.b :)#12 again", 0);
    const bool colourChanges = state.range(0) != 0;
    ColourValue colour = 0;
    for (auto _ : state) {
        if (colourChanges)
            colour ^= 0x80;
        addAndPaint(pane, "3+Ann chats: hello www.a.b :)#12 again", colour);
    }
}

constexpr int kFillLines = 2000;
constexpr int kTimedLines = 41;
const ColourValue kColours[2] = {colourValue(0, 0, 128), colourValue(128, 0, 0)};

// The work a line costs, as CPU time of this thread: other programs on the
// machine do not count.
double threadCpuMs() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Qt may leave a large layout to finish from a timer later: asking for the
// document's size finishes it, so that it counts for the line that caused it.
double costMs(ChatPane& pane, const QString& line, ColourValue colour) {
    const double before = threadCpuMs();
    addAndPaint(pane, line, colour);
    pane.document()->size();
    return threadCpuMs() - before;
}

struct LineCosts {
    std::vector<double> ms;
    double median() {
        std::sort(ms.begin(), ms.end());
        return ms[ms.size() / 2];
    }
    double worst() const { return *std::max_element(ms.begin(), ms.end()); }
};

// Lines in turn into a pane that holds one short line and into a pane that
// holds what is left of 2,000 lines of 64 KiB (its character limit drops the
// oldest); each line comes in the colour its sender did not use last.
void printLineCostFigures() {
    ChatPane& emptyPane = shownPane();
    ChatPane fullPane;
    fullPane.resize(emptyPane.size());
    fullPane.show();
    const QString huge = "3+Ann chats: " + repeatedToSize("words ");
    const QString shortLine = "3+Ann chats: hello www.a.b :)#12";
    fullPane.clearChat();
    for (int line = 0; line < kFillLines; ++line)
        fullPane.addlinetochat(huge, kColours[0]);

    // Every line into the full pane comes in the other colour than the last.
    int linesIntoFullPane = 1;
    auto flipped = [&] {
        return kColours[linesIntoFullPane++ % 2];
    };
    LineCosts alone, behindHuge, shortBehindHuge;
    for (int index = 0; index < kTimedLines; ++index) {
        emptyPane.clearChat();
        emptyPane.addlinetochat(shortLine, kColours[0]);
        alone.ms.push_back(costMs(emptyPane, huge, kColours[1]));
        behindHuge.ms.push_back(costMs(fullPane, huge, flipped()));
        shortBehindHuge.ms.push_back(costMs(fullPane, shortLine, flipped()));
    }

    const double aloneMs = alone.median(), behindMs = behindHuge.median();
    // "flips": the sender's colour changes with every line.
    bench::printFigure("chat: 64 KiB line into an empty pane (median)", aloneMs, 2, "ms CPU", "-",
                       true);
    bench::printFigure("chat: 64 KiB line after 2000 such, flips (median)", behindMs, 2, "ms CPU",
                       "< 1.5x empty pane", behindMs < 1.5 * aloneMs);
    bench::printFigure("chat: 64 KiB line after 2000 such, flips (worst)", behindHuge.worst(), 2,
                       "ms CPU", "< 100 ms", behindHuge.worst() < 100);
    bench::printFigure("chat: short line after 2000 of 64 KiB, flips (median)",
                       shortBehindHuge.median(), 2, "ms CPU", "< 1 ms",
                       shortBehindHuge.median() < 1);
    bench::printFigure("chat: short line after 2000 of 64 KiB, flips (worst)",
                       shortBehindHuge.worst(), 2, "ms CPU", "< 10 ms",
                       shortBehindHuge.worst() < 10);
}

} // namespace

BENCHMARK(BM_HugeLineOfWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HugeLineOneWord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HugeLineOfLinks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HugeLineOfSmileys)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HugeLineOfBlanks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineIntoFullPane)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printLineCostFigures();
    return 0;
}

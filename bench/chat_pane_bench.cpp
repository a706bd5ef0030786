// What a player waits for when a line arrives: adding it to the pane, laying
// it out and painting it, for the longest line a host relays (64 KiB) in
// several shapes, and for one short line in a full pane. The aim is well under
// 100 ms for every 64 KiB shape, so the window never seems to freeze.
#include "client/chat/chat_pane.h"

#include <QApplication>
#include <benchmark/benchmark.h>

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
    return 0;
}

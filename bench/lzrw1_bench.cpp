// LZRW1/KH block coding beside LZ4 on the same data, in the same 32 KiB
// pieces, in one run: throughput of compression and expansion, and size.
// Ends with a summary against the aims: compression at least half of LZ4's
// speed, expansion at least a quarter, and text within 10 % of LZ4's size.
#include "figure.h"
#include "tally/lzrw1kh.h"
#include "tally/tallygrid.h"

#include <QFile>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <lz4.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t kPiece = lzrw1::kPieceSize;
constexpr std::size_t kDataSize = 4 << 20;

Bytes repeatedToSize(const QByteArray& unit) {
    Bytes data;
    data.reserve(kDataSize);
    while (data.size() < kDataSize)
        data.insert(data.end(), unit.begin(), unit.end());
    data.resize(kDataSize);
    return data;
}

QByteArray dictionaryText() {
    for (const char* path : {LUDO_BENCH_DICTIONARY, "/usr/share/dict/words"}) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            return file.readAll();
    }
    QByteArray words; // a stand-in when no word list is installed
    QRandomGenerator random(11);
    for (int i = 0; i < 60000; ++i) {
        for (int n = 4 + random.bounded(6); n > 0; --n)
            words += char('a' + random.bounded(26));
        words += '\n';
    }
    return words;
}

// One tally of many followed opponents, as the game writes it (not
// repeated: copies of it lie further back than LZRW1/KH can reach).
Bytes tallyText() {
    QRandomGenerator random(5);
    TallyGrid grid;
    for (int i = 0; i < 1000; ++i) {
        grid.addRow(QString("Player%1").arg(random.bounded(100000)));
        for (int column = 1; column < TallyGrid::kColumns; ++column)
            grid.setCell(column, grid.rowCount() - 1, QString::number(random.bounded(300)));
    }
    const QByteArray text = grid.toText();
    return Bytes(text.begin(), text.end());
}

Bytes noise() {
    Bytes data(kDataSize);
    QRandomGenerator random(3);
    random.fillRange(reinterpret_cast<quint32*>(data.data()), data.size() / 4);
    return data;
}

// Blocks of one data set, kept with their lengths for expansion.
struct Packed {
    std::vector<Bytes> blocks;
    std::size_t totalSize = 0;
};

class Codec {
public:
    virtual ~Codec() = default;
    virtual std::size_t compress(const std::uint8_t* in, std::size_t size, std::uint8_t* out) = 0;
    virtual std::size_t expand(const Bytes& block, std::uint8_t* out) = 0;
    virtual std::size_t outCapacity() const = 0;

    Packed pack(const Bytes& data) {
        Packed packed;
        Bytes out(outCapacity());
        for (std::size_t at = 0; at < data.size(); at += kPiece) {
            const std::size_t n =
                compress(data.data() + at, std::min(kPiece, data.size() - at), out.data());
            packed.blocks.emplace_back(out.begin(), out.begin() + std::ptrdiff_t(n));
            packed.totalSize += n + 2; // each behind a 2-byte length, as in the file
        }
        return packed;
    }
};

class Lzrw1Codec : public Codec {
public:
    std::size_t compress(const std::uint8_t* in, std::size_t size, std::uint8_t* out) override {
        return compressor_.compress(in, size, out);
    }
    std::size_t expand(const Bytes& block, std::uint8_t* out) override {
        return lzrw1::expandBlock(block.data(), block.size(), out).value_or(0);
    }
    std::size_t outCapacity() const override { return lzrw1::kBufferSize; }

private:
    Lzrw1KHCompressor compressor_;
};

class Lz4Codec : public Codec {
public:
    std::size_t compress(const std::uint8_t* in, std::size_t size, std::uint8_t* out) override {
        return std::size_t(LZ4_compress_default(reinterpret_cast<const char*>(in),
                                                reinterpret_cast<char*>(out), int(size),
                                                int(outCapacity())));
    }
    std::size_t expand(const Bytes& block, std::uint8_t* out) override {
        return std::size_t(LZ4_decompress_safe(reinterpret_cast<const char*>(block.data()),
                                               reinterpret_cast<char*>(out), int(block.size()),
                                               int(kPiece)));
    }
    std::size_t outCapacity() const override { return std::size_t(LZ4_compressBound(kPiece)); }
};

void compressAll(benchmark::State& state, Codec* codec, const Bytes* data) {
    Bytes out(codec->outCapacity());
    for (auto _ : state) {
        for (std::size_t at = 0; at < data->size(); at += kPiece)
            benchmark::DoNotOptimize(codec->compress(
                data->data() + at, std::min(kPiece, data->size() - at), out.data()));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(data->size()));
}

void expandAll(benchmark::State& state, Codec* codec, const Packed* packed, std::size_t size) {
    Bytes out(lzrw1::kBufferSize);
    for (auto _ : state) {
        for (const Bytes& block : packed->blocks)
            benchmark::DoNotOptimize(codec->expand(block, out.data()));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(size));
}

// Keeps every run's throughput for the summary, and prints as usual.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.counters.count("bytes_per_second"))
                rates[run.benchmark_name()] = run.counters.at("bytes_per_second").value / 1e6;
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> rates; // MB/s by benchmark name
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const std::map<std::string, Bytes> corpora{
        {"dictionary", repeatedToSize(dictionaryText())},
        {"tally", tallyText()},
        {"random", noise()},
    };
    Lzrw1Codec lzrw1Codec;
    Lz4Codec lz4Codec;
    const std::map<std::string, Codec*> codecs{{"lzrw1", &lzrw1Codec}, {"lz4", &lz4Codec}};
    std::map<std::string, Packed> packed; // by "codec/data"
    for (const auto& [codecName, codec] : codecs) {
        for (const auto& [dataName, data] : corpora) {
            const std::string key = codecName + "/" + dataName;
            packed[key] = codec->pack(data);
            benchmark::RegisterBenchmark(("compress/" + key).c_str(), compressAll, codec, &data)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("expand/" + key).c_str(), expandAll, codec, &packed[key],
                                         data.size())
                ->Unit(benchmark::kMillisecond);
        }
    }
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\n%-11s %23s %23s %21s\n", "", "compress MB/s", "expand MB/s", "size % of input");
    std::printf("%-11s %7s %7s %7s %7s %7s %7s %7s %7s %5s\n", "data", "lzrw1", "lz4", "x lz4",
                "lzrw1", "lz4", "x lz4", "lzrw1", "lz4", "x lz4");
    for (const auto& corpus : corpora) {
        // Named copies: clang 14 does not capture structured bindings in lambdas.
        const std::string& dataName = corpus.first;
        const auto& data = corpus.second;
        const auto rate = [&](const char* verb, const char* codec) {
            const auto found =
                reporter.rates.find(std::string(verb) + "/" + codec + "/" + dataName);
            return found == reporter.rates.end() ? 0.0 : found->second;
        };
        const auto sizePercent = [&](const char* codec) {
            return 100.0 * double(packed[std::string(codec) + "/" + dataName].totalSize) /
                   double(data.size());
        };
        const double c1 = rate("compress", "lzrw1"), c2 = rate("compress", "lz4");
        const double e1 = rate("expand", "lzrw1"), e2 = rate("expand", "lz4");
        const double s1 = sizePercent("lzrw1"), s2 = sizePercent("lz4");
        std::printf("%-11s %7.0f %7.0f %7.2f %7.0f %7.0f %7.2f %7.1f %7.1f %5.2f\n",
                    dataName.c_str(), c1, c2, c2 > 0 ? c1 / c2 : 0.0, e1, e2,
                    e2 > 0 ? e1 / e2 : 0.0, s1, s2, s2 > 0 ? s1 / s2 : 0.0);
    }
    std::printf("aims: compress x lz4 >= 0.50, expand x lz4 >= 0.25, text size x lz4 <= 1.10\n");
    for (const char* dataName : {"dictionary", "tally"}) {
        const auto ratio = [&](const char* verb) {
            const double lz4 = reporter.rates[std::string(verb) + "/lz4/" + dataName];
            return lz4 > 0 ? reporter.rates[std::string(verb) + "/lzrw1/" + dataName] / lz4 : 0.0;
        };
        const double size = double(packed[std::string("lzrw1/") + dataName].totalSize) /
                            double(packed[std::string("lz4/") + dataName].totalSize);
        const std::string name = std::string("tally compressor vs LZ4, ") + dataName;
        bench::printFigure((name + ", compress speed").c_str(), ratio("compress"), 2, "x lz4",
                           ">= 0.50 x", ratio("compress") >= 0.5);
        bench::printFigure((name + ", expand speed").c_str(), ratio("expand"), 2, "x lz4",
                           ">= 0.25 x", ratio("expand") >= 0.25);
        bench::printFigure((name + ", size").c_str(), size, 2, "x lz4", "<= 1.10 x", size <= 1.1);
    }
    benchmark::Shutdown();
    return 0;
}

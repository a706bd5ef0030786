// ludomyra-tally: expands, compresses and shows tally files, so that
// players can inspect, back up and repair their tally.
#include "tally/tallyfile.h"
#include "tally/tlzrw1.h"
#include "tools/tally_table.h"

#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include <exception>

namespace {

constexpr int kFailed = 1;
constexpr int kBadUsage = 2;

void print(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

int usage() {
    print(stderr, "usage: ludomyra-tally expand IN OUT\n"
                  "       ludomyra-tally compress IN OUT\n"
                  "       ludomyra-tally show FILE\n");
    return kBadUsage;
}

int convert(const QString& verb, const QString& in, const QString& out) {
    Tlzrw1 compressor;
    compressor.setCompressMode(Tlzrw1::Fast);
    compressor.setInputFile(in);
    compressor.setOutputFile(out);
    if (verb == "expand")
        compressor.Decompress();
    else
        compressor.Compress();
    return 0;
}

int show(const QString& path) {
    if (!QFileInfo::exists(path)) {
        print(stderr, path + " : no such file\n");
        return kFailed;
    }
    Tlzrw1 compressor;
    TallyFile file(path, compressor);
    const TallyFile::Reading reading = file.read();
    if (!reading.grid) {
        print(stderr, reading.failure + "\n");
        return kFailed;
    }
    print(stdout, formatTallyTable(*reading.grid));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    try {
        if (args.size() == 3 && (args[0] == "expand" || args[0] == "compress"))
            return convert(args[0], args[1], args[2]);
        if (args.size() == 2 && args[0] == "show")
            return show(args[1]);
    } catch (const std::exception& failure) {
        print(stderr, QString::fromStdString(failure.what()) + "\n");
        return kFailed;
    }
    return usage();
}

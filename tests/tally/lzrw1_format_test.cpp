// The bytes of the "WRZL" container and of LZRW1/KH blocks, worked out by
// hand from the format, and round trips through the component.
#include "tally/lzrw1kh.h"
#include "tally_test_support.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <vector>

using namespace tallytest;

namespace {

struct Example {
    const char* what;
    QByteArray input;
    QByteArray file;
};

TEST(TallyLzrw1Format, WorkedExamplesByteForByte) {
    const Example examples[] = {
        {"abc is stored", "abc", bytes("57 52 5A 4C 03 00 00 00 04 00 80 61 62 63")},
        {"20 a is one run", repeated('a', 20),
         bytes("57 52 5A 4C 14 00 00 00 07 00 40 80 00 00 00 04 61")},
        {"abc five times is three literals and a copy", "abcabcabcabcabc",
         bytes("57 52 5A 4C 0F 00 00 00 08 00 40 10 00 61 62 63 00 39")},
        {"empty", "", bytes("57 52 5A 4C 00 00 00 00 01 00 80")},
        {"15 a is a literal and a copy of 14 from 1", repeated('a', 15),
         bytes("57 52 5A 4C 0F 00 00 00 06 00 40 40 00 61 00 1B")},
        {"4096 x is a full run and a literal", repeated('x', 4096),
         bytes("57 52 5A 4C 00 10 00 00 08 00 40 80 00 00 0F EF 78 78")},
        {"4113 x is two runs", repeated('x', 4113),
         bytes("57 52 5A 4C 11 10 00 00 0B 00 40 C0 00 00 0F EF 78 00 00 02 78")},
        {"6 a compress to 6 bytes and stay compressed", repeated('a', 6),
         bytes("57 52 5A 4C 06 00 00 00 06 00 40 40 00 61 00 12")},
        {"5 a would grow and are stored", repeated('a', 5),
         bytes("57 52 5A 4C 05 00 00 00 06 00 80 61 61 61 61 61")},
        {"a second control word stands before the 17th item", "abcdefghijklmnopqabcdefghijklmnopq",
         bytes("57 52 5A 4C 22 00 00 00 18 00 40 00 00 61 62 63 64 65 66 67 68 69 6A 6B 6C 6D 6E "
               "6F 70 40 00 71 01 1E")},
        // One hash probe: "abc" at 12 finds the copy at 8 (3 bytes), not the
        // longer match at 0; "defgh" then comes from 12 back.
        {"the table keeps only the latest start", "abcdefghabcXabcdefgh",
         bytes("57 52 5A 4C 14 00 00 00 12 00 40 00 B0 61 62 63 64 65 66 67 68 00 80 58 00 40 00 "
               "C2")},
    };
    for (const Example& example : examples) {
        EXPECT_EQ(compressed(example.input).toHex(' '), example.file.toHex(' ')) << example.what;
        EXPECT_EQ(expanded(example.file), example.input) << example.what;
    }
}

TEST(TallyLzrw1Format, AFullPieceIsFollowedByAnEmptyStoredOne) {
    const QByteArray header = bytes("57 52 5A 4C 00 80 00 00");
    const QByteArray emptyPiece = bytes("01 00 80");

    QByteArray noise(32768, '\0');
    QRandomGenerator random(7);
    random.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    EXPECT_EQ(compressed(noise), header + bytes("01 80 80") + noise + emptyPiece);

    // Eight runs of 4095, then a literal and a copy of 7 from 1 back.
    QByteArray runs = bytes("26 00 40 FF 40");
    for (int i = 0; i < 8; ++i)
        runs += bytes("00 0F EF 78");
    runs += bytes("78 00 14");
    const QByteArray file = compressed(repeated('x', 32768));
    EXPECT_EQ(file.toHex(' '), (header + runs + emptyPiece).toHex(' '));
    EXPECT_EQ(expanded(file), repeated('x', 32768));
}

QByteArray sample(const char* kind, int size, QRandomGenerator& random) {
    static const QList<QByteArray> words{"pocket ", "cue ",  "nine ", "rack ",       "break ",
                                         "corner ", "side ", "rail ", "Ludomyra\r\n"};
    QByteArray data;
    data.reserve(size + 16);
    const QByteArray which(kind);
    while (data.size() < size) {
        if (which == "noise")
            data += char(random.bounded(256));
        else if (which == "text")
            data += words[random.bounded(words.size())];
        else
            data += QByteArray(random.bounded(1, 5000), char('a' + random.bounded(3)));
    }
    data.truncate(size);
    return data;
}

TEST(TallyLzrw1Format, RoundTripsOfEverySizeNearThePieceBoundaries) {
    QRandomGenerator random(2024);
    std::vector<int> sizes{0,     1,     2,     3,     4,     15,    16,    17,    18,
                           32767, 32768, 32769, 65535, 65536, 65537, 98303, 98304, 131072};
    for (int i = 0; i < 12; ++i)
        sizes.push_back(32768 * random.bounded(1, 4) + random.bounded(-40, 40));
    for (const char* kind : {"noise", "text", "runs"}) {
        for (const int size : sizes) {
            const QByteArray data = sample(kind, size, random);
            const QByteArray file = compressed(data);
            ASSERT_EQ(expanded(file), data) << kind << " " << size;
            // Nothing grows by more than the header and 3 bytes a piece.
            EXPECT_LE(file.size(), 8 + size + 3 * (size / 32768 + 1)) << kind << " " << size;
        }
    }
}

std::optional<std::size_t> expandBlock(const QByteArray& block, std::vector<std::uint8_t>& out) {
    out.assign(lzrw1::kBufferSize, 0);
    return lzrw1::expandBlock(reinterpret_cast<const std::uint8_t*>(block.constData()),
                              std::size_t(block.size()), out.data());
}

TEST(TallyLzrw1Format, CorruptBlocksAreRejectedInsteadOfExpanded) {
    QByteArray nineFullRuns = bytes("40 FF 80");
    for (int i = 0; i < 9; ++i)
        nineFullRuns += bytes("00 0F EF 78");
    const struct {
        const char* what;
        QByteArray block;
    } corrupt[] = {
        {"copy from before the start", bytes("40 80 00 00 13")},
        {"copy further back than written", bytes("40 40 00 61 00 23")},
        {"more than 32768 bytes", nineFullRuns},
        {"copy cut off", bytes("40 80 00 00")},
        {"run cut off", bytes("40 80 00 00 00 10")},
        {"control word with no item after it",
         bytes("40 00 00 61 61 61 61 61 61 61 61 61 61 61 61 61 61 61 61 80 00")},
        {"stored block longer than a piece", bytes("80") + repeated('z', 32769)},
    };
    std::vector<std::uint8_t> out;
    for (const auto& c : corrupt)
        EXPECT_FALSE(expandBlock(c.block, out).has_value()) << c.what;

    EXPECT_EQ(expandBlock(QByteArray(), out), 0u);
    EXPECT_EQ(expandBlock(bytes("40"), out), 0u);
    // Any flag but 0x80 means compressed.
    ASSERT_EQ(expandBlock(bytes("00 80 00 00 00 04 62"), out), 20u);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(out.data()), 20), repeated('b', 20));
}

} // namespace

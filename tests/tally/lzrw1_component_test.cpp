// The compressor component over files and streams: what it writes, what it
// returns, and every failure it reports.
#include "tally_test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

using namespace tallytest;

namespace {

const QByteArray kAbcFile = bytes("57 52 5A 4C 03 00 00 00 04 00 80 61 62 63");

class TallyLzrw1Files : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    // Runs Compress or Decompress from `in` to `out` and returns the
    // exception's message ("" when it succeeded).
    QString failureOf(bool compress, const QString& in, const QString& out,
                      Tlzrw1::TCompressMode mode = Tlzrw1::Fast) {
        component.setCompressMode(mode);
        component.setInputFile(in);
        component.setOutputFile(out);
        try {
            compress ? component.Compress() : component.Decompress();
        } catch (const ELzrw1Exception& failure) {
            return failure.message();
        }
        return {};
    }

    QTemporaryDir dir;
    Tlzrw1 component;
};

TEST_F(TallyLzrw1Files, CompressAndDecompressReturnTheBytesWritten) {
    ASSERT_TRUE(writeFile(path("abc.txt"), "abc"));
    component.setCompressMode(Tlzrw1::Fast);
    component.setInputFile(path("abc.txt"));
    component.setOutputFile(path("abc.tld"));
    EXPECT_EQ(component.Compress(), 14);
    EXPECT_EQ(readFile(path("abc.tld")), kAbcFile);

    ASSERT_TRUE(writeFile(path("back.txt"), "left over from before, longer than abc"));
    component.setInputFile(path("abc.tld"));
    component.setOutputFile(path("back.txt"));
    EXPECT_EQ(component.Decompress(), 3);
    EXPECT_EQ(readFile(path("back.txt")), "abc");
}

TEST_F(TallyLzrw1Files, EveryDecompressFailureNamesItsCauseAndLeavesNoOutput) {
    const QByteArray abcBlock = bytes("04 00 80 61 62 63");
    const struct {
        const char* what;
        QByteArray file;
        QString message; // "%1" stands for the input file
    } cases[] = {
        {"foreign header", "JUNKJUNKJUNK",
         "%1 : Lzrw1 decompression : this file has no valid header !"},
        {"shorter than a signature", "WR", "Lzrw1 : Error reading from input file : %1"},
        {"no size", "WRZL", "Lzrw1 : Error reading from input file : %1"},
        {"block cut short", bytes("57 52 5A 4C 03 00 00 00 04 00 80 61"),
         "Lzrw1 : Error reading from input file : %1"},
        {"a full piece and then nothing",
         bytes("57 52 5A 4C 00 80 00 00 26 00 40 FF 40") + bytes("00 0F EF 78").repeated(8) +
             bytes("78 00 14"),
         "Lzrw1 : Error reading from input file : %1"},
        {"size too large", bytes("57 52 5A 4C 05 00 00 00") + abcBlock,
         "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !"},
        {"size too small", bytes("57 52 5A 4C 02 00 00 00") + abcBlock,
         "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !"},
        {"length past a block's limit", bytes("57 52 5A 4C 03 00 00 00 02 80 80"),
         "Lzrw1 (decompression LZRW1/KH) : corrupt compressed block !"},
        {"copy from before the start", bytes("57 52 5A 4C 03 00 00 00 05 00 40 80 00 00 13"),
         "Lzrw1 (decompression LZRW1/KH) : corrupt compressed block !"},
        {"the second method", bytes("21 48 5A 4C 03 00 00 00 00"),
         "Lzrw1 : GOOD (LZH) compression is not supported !"},
    };
    for (const auto& c : cases) {
        const QString in = path("in.tld");
        ASSERT_TRUE(writeFile(in, c.file));
        ASSERT_TRUE(writeFile(path("out.txt"), "old contents"));
        EXPECT_EQ(failureOf(false, in, path("out.txt")), c.message.arg(in)) << c.what;
        EXPECT_FALSE(QFileInfo::exists(path("out.txt"))) << c.what;
    }
    EXPECT_EQ(failureOf(false, path("missing.tld"), path("out.txt")),
              "Lzrw1 (de)compression : Failed to open input file : " + path("missing.tld"));
    ASSERT_TRUE(writeFile(path("abc.tld"), kAbcFile));
    EXPECT_EQ(failureOf(false, path("abc.tld"), path("no/such/folder/out.txt")),
              "Lzrw1 (de)compression : Failed to open output file : " +
                  path("no/such/folder/out.txt"));
}

TEST_F(TallyLzrw1Files, CompressFailuresLeaveNoOutputAndNeverHarmTheInput) {
    ASSERT_TRUE(writeFile(path("abc.txt"), "abc"));
    EXPECT_EQ(failureOf(true, path("missing.txt"), path("out.tld")),
              "Lzrw1 compression : Failed to obtain the size of : " + path("missing.txt"));
    EXPECT_EQ(failureOf(true, path("abc.txt"), path("no/such/folder/out.tld")),
              "Lzrw1 (de)compression : Failed to open output file : " +
                  path("no/such/folder/out.tld"));
    EXPECT_EQ(failureOf(true, path("abc.txt"), path("out.tld"), Tlzrw1::Good),
              "Lzrw1 : GOOD (LZH) compression is not supported !");
    EXPECT_FALSE(QFileInfo::exists(path("out.tld")));

    // Compressing a file onto itself would truncate it first.
    const QString sameFile = dir.filePath(".") + "/abc.txt";
    EXPECT_EQ(failureOf(true, path("abc.txt"), sameFile),
              "Lzrw1 (de)compression : Failed to open output file : " + sameFile);
    EXPECT_EQ(readFile(path("abc.txt")), "abc");
}

TEST_F(TallyLzrw1Files, AWriteFailureIsReportedAndADeviceIsNeverDeleted) {
    if (!QFileInfo::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    ASSERT_TRUE(writeFile(path("abc.txt"), "abc"));
    EXPECT_EQ(failureOf(true, path("abc.txt"), "/dev/full"),
              "Lzrw1 : Error writing to output file : /dev/full");
    ASSERT_TRUE(writeFile(path("abc.tld"), kAbcFile));
    EXPECT_EQ(failureOf(false, path("abc.tld"), "/dev/full"),
              "Lzrw1 : Error writing to output file : /dev/full");
    EXPECT_TRUE(QFileInfo::exists("/dev/full"));
}

TEST_F(TallyLzrw1Files, CaptionsShowProgressAndResultOnlyWhenVisible) {
    ASSERT_TRUE(writeFile(path("abc.txt"), "abc"));
    EXPECT_EQ(failureOf(true, path("abc.txt"), path("abc.tld")), "");
    EXPECT_EQ(component.caption(), "");

    component.setVisible(true);
    QSignalSpy captions(&component, &Tlzrw1::captionChanged);
    EXPECT_EQ(failureOf(true, path("abc.txt"), path("abc.tld")), "");
    ASSERT_EQ(captions.size(), 2);
    EXPECT_EQ(captions[0][0].toString(), "(LZRW1/KH) Bytes in : 3 Bytes out : 14");
    EXPECT_EQ(captions[1][0].toString(),
              path("abc.txt") + " : Lzrw1 : successfully compressed at 466%");
    EXPECT_EQ(failureOf(false, path("abc.tld"), path("back.txt")), "");
    EXPECT_EQ(component.caption(), path("abc.tld") + " : Lzrw1 : successfully decompressed at 21%");
}

QByteArray text(int size) {
    QByteArray data;
    for (int i = 0; data.size() < size; ++i)
        data += "game " + QByteArray::number(i % 97) + " won by Ann\r\n";
    return data.left(size);
}

QByteArray noise(int size) {
    QByteArray data(size, '\0');
    for (char& byte : data)
        byte = char(QRandomGenerator::global()->bounded(256));
    return data;
}

TEST_F(TallyLzrw1Files, AdviseRecommendsFastOnlyForLargeFilesThatShrinkEnough) {
    component.setVisible(true);
    component.setCompressMode(Tlzrw1::Auto);
    component.setInputFile(path("in"));

    ASSERT_TRUE(writeFile(path("in"), text(98303)));
    EXPECT_FALSE(component.Advise());
    EXPECT_EQ(component.compressMode(), Tlzrw1::Good);
    EXPECT_EQ(component.caption(), "Lzrw1 recommends GOOD compression :  small file !!");

    component.setCompressMode(Tlzrw1::Auto);
    ASSERT_TRUE(writeFile(path("in"), text(200000)));
    EXPECT_TRUE(component.Advise());
    EXPECT_TRUE(QRegularExpression("^Lzrw1 recommends FAST compression : \\d+%\\.$")
                    .match(component.caption())
                    .hasMatch())
        << component.caption().toStdString();

    ASSERT_TRUE(writeFile(path("in"), noise(200000)));
    EXPECT_FALSE(component.Advise());
    // Two stored samples: 2 x 32769 bytes for 2 x 32768.
    EXPECT_EQ(component.caption(), "Lzrw1 recommends GOOD compression : 100%.");
    EXPECT_EQ(component.compressMode(), Tlzrw1::Auto);

    component.setInputFile(path("missing"));
    try {
        component.Advise();
        ADD_FAILURE() << "a missing file was advised on";
    } catch (const ELzrw1Exception& failure) {
        EXPECT_EQ(failure.message(), "Lzrw1 advise : can not get the size of : " + path("missing"));
    }
}

TEST_F(TallyLzrw1Files, AutoCompressesLargeTextFastAndRefusesWhereGoodIsAdvised) {
    ASSERT_TRUE(writeFile(path("big.txt"), text(200000)));
    EXPECT_EQ(failureOf(true, path("big.txt"), path("big.tld"), Tlzrw1::Auto), "");
    EXPECT_EQ(readFile(path("big.tld")).left(4), "WRZL");
    EXPECT_EQ(failureOf(false, path("big.tld"), path("back.txt")), "");
    EXPECT_EQ(readFile(path("back.txt")), text(200000));

    ASSERT_TRUE(writeFile(path("small.txt"), "abc"));
    EXPECT_EQ(failureOf(true, path("small.txt"), path("small.tld"), Tlzrw1::Auto),
              "Lzrw1 : GOOD (LZH) compression is not supported !");
    EXPECT_FALSE(QFileInfo::exists(path("small.tld")));
}

TEST_F(TallyLzrw1Files, ASecondCallWhileTheFirstRunsIsRefused) {
    int argc = 1;
    char name[] = "tally_lzrw1_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    ASSERT_TRUE(writeFile(path("big.txt"), text(100000)));
    QString nested;
    QTimer::singleShot(0, &component,
                       [&] { nested = failureOf(true, path("big.txt"), path("x")); });
    EXPECT_EQ(failureOf(true, path("big.txt"), path("big.tld")), "");
    EXPECT_EQ(nested, "Lzrw1 : the component is already working !");
    EXPECT_EQ(failureOf(false, path("big.tld"), path("back.txt")), "");
    EXPECT_EQ(readFile(path("back.txt")), text(100000));
}

// Passes `limit` bytes through, then fails every read or write.
class FailingDevice : public QIODevice {
public:
    FailingDevice(QByteArray data, qint64 limit) : data_(std::move(data)), limit_(limit) {}

protected:
    qint64 readData(char* to, qint64 size) override {
        const qint64 n = std::min({size, limit_ - pos_, qint64(data_.size()) - pos_});
        if (n <= 0)
            return -1;
        memcpy(to, data_.constData() + pos_, size_t(n));
        pos_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64 size) override {
        if (pos_ + size > limit_)
            return -1;
        pos_ += size;
        return size;
    }
    bool isSequential() const override { return false; }
    qint64 size() const override { return data_.size(); }

private:
    QByteArray data_;
    qint64 limit_;
    qint64 pos_ = 0;
};

class TallyLzrw1Streams : public ::testing::Test {
protected:
    QString failureOf(bool compress, QIODevice* in, QIODevice* out) {
        component.setUseStream(true);
        component.setCompressMode(Tlzrw1::Fast);
        component.setInputStream(in);
        component.setOutputStream(out);
        try {
            compress ? component.Compress() : component.Decompress();
        } catch (const ELzrw1Exception& failure) {
            return failure.message();
        }
        return {};
    }
    static QBuffer* opened(QBuffer* buffer, const QByteArray& data, QIODevice::OpenMode mode) {
        buffer->close();
        buffer->setData(data);
        buffer->open(mode);
        return buffer;
    }
    Tlzrw1 component;
    QBuffer in, out;
};

TEST_F(TallyLzrw1Streams, InputIsReadFromItsCurrentPosition) {
    opened(&in, "skipped|abc", QIODevice::ReadOnly)->seek(8);
    opened(&out, {}, QIODevice::WriteOnly);
    EXPECT_EQ(failureOf(true, &in, &out), "");
    EXPECT_EQ(out.data(), kAbcFile);
}

TEST_F(TallyLzrw1Streams, StreamFailuresHaveTheirOwnMessages) {
    EXPECT_EQ(failureOf(true, nullptr, &out),
              "Lzrw1 compression : Failed to obtain the size of the input stream !");
    in.setData("abc"); // not opened
    EXPECT_EQ(failureOf(false, &in, opened(&out, {}, QIODevice::WriteOnly)),
              "Lzrw1 (de)compression : Failed to initialize input stream !");
    out.close();
    EXPECT_EQ(failureOf(false, opened(&in, kAbcFile, QIODevice::ReadOnly), &out),
              "Lzrw1 (de)compression : Failed to initialize output stream !");
    EXPECT_EQ(failureOf(false, opened(&in, "JUNKJUNK", QIODevice::ReadOnly),
                        opened(&out, {}, QIODevice::WriteOnly)),
              "Lzrw1 decompression : input stream contains no valid header !");
    EXPECT_EQ(failureOf(false, opened(&in, kAbcFile.left(12), QIODevice::ReadOnly),
                        opened(&out, {}, QIODevice::WriteOnly)),
              "Lzrw1 : Error reading from input stream !");

    FailingDevice brokenRead("abcdef", 2);
    brokenRead.open(QIODevice::ReadOnly);
    EXPECT_EQ(failureOf(true, &brokenRead, opened(&out, {}, QIODevice::WriteOnly)),
              "Lzrw1 : Error reading from input stream ! (LZRW1/KH)");
    FailingDevice brokenWrite({}, 10);
    brokenWrite.open(QIODevice::WriteOnly);
    EXPECT_EQ(failureOf(true, opened(&in, "abc", QIODevice::ReadOnly), &brokenWrite),
              "Lzrw1 : Error writing to output stream !");
}

} // namespace

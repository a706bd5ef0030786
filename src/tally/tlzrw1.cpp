#include "tally/tlzrw1.h"

#include "tally/lzrw1_endpoints.h"

#include <QCoreApplication>
#include <QtEndian>
#include <new>

namespace {

constexpr quint32 kFastSignature = 0x4C5A5257; // "WRZL"
constexpr quint32 kGoodSignature = 0x4C5A4821; // "!HZL"
constexpr qint64 kPiece = lzrw1::kPieceSize;
// Up to this size Advise recommends Good without sampling.
constexpr qint64 kSmallInput = 3 * kPiece - 1;

const char* const kBuffersFailure =
    "Lzrw1 (de)compression : Failed to get memory for I/O buffers !";
const char* const kSizeMismatch =
    "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";
const char* const kCorruptBlock = "Lzrw1 (decompression LZRW1/KH) : corrupt compressed block !";
const char* const kGoodNotBuilt = "Lzrw1 : GOOD (LZH) compression is not supported !";
const char* const kBusy = "Lzrw1 : the component is already working !";

int percentOf(qint64 part, qint64 whole) {
    return whole == 0 ? 100 : static_cast<int>(part * 100 / whole);
}

} // namespace

// The two work buffers of one call.
class Lzrw1Buffers {
public:
    explicit Lzrw1Buffers(const QString& failure) {
        source_.reset(new (std::nothrow) std::uint8_t[lzrw1::kBufferSize]);
        target_.reset(new (std::nothrow) std::uint8_t[lzrw1::kBufferSize]);
        if (!source_ || !target_)
            throw ELzrw1Exception(failure);
    }
    std::uint8_t* source() { return source_.get(); }
    std::uint8_t* target() { return target_.get(); }
    char* sourceChars() { return reinterpret_cast<char*>(source_.get()); }
    char* targetChars() { return reinterpret_cast<char*>(target_.get()); }

private:
    std::unique_ptr<std::uint8_t[]> source_;
    std::unique_ptr<std::uint8_t[]> target_;
};

class Tlzrw1::BusyGuard {
public:
    explicit BusyGuard(bool& busy) : busy_(busy) {
        if (busy_)
            throw ELzrw1Exception(kBusy);
        busy_ = true;
    }
    ~BusyGuard() { busy_ = false; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    bool& busy_;
};

Tlzrw1::Tlzrw1(QObject* parent) : QObject(parent) {}

Tlzrw1::~Tlzrw1() = default;

std::unique_ptr<Lzrw1Endpoints> Tlzrw1::endpoints() const {
    if (useStream_)
        return std::make_unique<Lzrw1Endpoints>(inStream_, outStream_);
    return std::make_unique<Lzrw1Endpoints>(inputFile_, outputFile_);
}

qint64 Tlzrw1::Compress() {
    BusyGuard guard(busy_);
    const std::unique_ptr<Lzrw1Endpoints> io = endpoints();
    TCompressMode method = compressMode_;
    if (method == Auto)
        method = adviseOn(*io) ? Fast : Good;
    Lzrw1Buffers buffers{QString(kBuffersFailure)};
    if (method != Fast)
        throw ELzrw1Exception(kGoodNotBuilt);
    const quint32 size = io->inputSize();
    io->openInput();
    io->createOutput();
    try {
        const qint64 written = compressInto(*io, size, buffers);
        io->finish();
        showResult("compressed", size, written);
        return written;
    } catch (...) {
        io->discardOutput();
        throw;
    }
}

qint64 Tlzrw1::compressInto(Lzrw1Endpoints& io, quint32 size, Lzrw1Buffers& buffers) {
    char header[8];
    qToLittleEndian(kFastSignature, header);
    qToLittleEndian(size, header + 4);
    io.writeAll(header, sizeof header);
    qint64 bytesIn = 0;
    qint64 bytesOut = sizeof header;
    qint64 got = 0;
    do {
        got = io.readUpTo(buffers.sourceChars(), kPiece, io.blockReadFailure);
        bytesIn += got;
        // The block goes out behind its 2-byte length in one write.
        const std::size_t length = compressor_.compress(
            buffers.source(), static_cast<std::size_t>(got), buffers.target() + 2);
        qToLittleEndian(static_cast<quint16>(length), buffers.target());
        io.writeAll(buffers.targetChars(), qint64(length) + 2);
        bytesOut += qint64(length) + 2;
        showProgress(bytesIn, bytesOut);
    } while (got == kPiece);
    // The size in the header must hold, or the file could never be expanded:
    // an input that changed while it was read is a failed read.
    if (bytesIn != size)
        throw ELzrw1Exception(io.blockReadFailure);
    return bytesOut;
}

qint64 Tlzrw1::Decompress() {
    BusyGuard guard(busy_);
    const std::unique_ptr<Lzrw1Endpoints> io = endpoints();
    Lzrw1Buffers buffers{QString(kBuffersFailure)};
    io->openInput();
    io->createOutput();
    try {
        const qint64 written = expandInto(*io, buffers);
        io->finish();
        return written;
    } catch (...) {
        io->discardOutput();
        throw;
    }
}

qint64 Tlzrw1::expandInto(Lzrw1Endpoints& io, Lzrw1Buffers& buffers) {
    uchar field[4];
    io.readExactly(reinterpret_cast<char*>(field), 4);
    const quint32 signature = qFromLittleEndian<quint32>(field);
    if (signature == kGoodSignature)
        throw ELzrw1Exception(kGoodNotBuilt);
    if (signature != kFastSignature)
        throw ELzrw1Exception(io.headerFailure);
    io.readExactly(reinterpret_cast<char*>(field), 4);
    const qint64 size = qFromLittleEndian<quint32>(field);
    qint64 bytesIn = 8;
    qint64 bytesOut = 0;
    std::size_t piece = 0;
    do {
        io.readExactly(reinterpret_cast<char*>(field), 2);
        const quint16 length = qFromLittleEndian<quint16>(field);
        if (length > lzrw1::kMaxBlockSize)
            throw ELzrw1Exception(kCorruptBlock);
        io.readExactly(buffers.sourceChars(), length);
        bytesIn += 2 + length;
        const std::optional<std::size_t> expanded =
            lzrw1::expandBlock(buffers.source(), length, buffers.target());
        if (!expanded)
            throw ELzrw1Exception(kCorruptBlock);
        piece = *expanded;
        // Stop at once rather than write more than the header promised.
        if (bytesOut + qint64(piece) > size)
            throw ELzrw1Exception(kSizeMismatch);
        io.writeAll(buffers.targetChars(), qint64(piece));
        bytesOut += qint64(piece);
        showProgress(bytesIn, bytesOut);
    } while (piece == lzrw1::kPieceSize);
    if (bytesOut != size)
        throw ELzrw1Exception(kSizeMismatch);
    showResult("decompressed", bytesIn, bytesOut);
    return bytesOut;
}

bool Tlzrw1::Advise() {
    BusyGuard guard(busy_);
    return adviseOn(*endpoints());
}

bool Tlzrw1::adviseOn(Lzrw1Endpoints& io) {
    const QString name = useStream_ ? QStringLiteral("the input stream") : inputFile_;
    qint64 size = 0;
    try {
        size = io.inputSize();
    } catch (const ELzrw1Exception&) {
        throw ELzrw1Exception("Lzrw1 advise : can not get the size of : " + name);
    }
    if (size <= kSmallInput) {
        compressMode_ = Good;
        setCaption("Lzrw1 recommends GOOD compression :  small file !!");
        return false;
    }
    Lzrw1Buffers buffers{QStringLiteral("Lzrw1 advise : Error getting I/O buffers")};
    try {
        io.openInput();
    } catch (const ELzrw1Exception&) {
        throw ELzrw1Exception("Lzrw1 advise : can open input file : " + name);
    }
    const QString readFailure = "Lzrw1 advise : read error on input file : " + name;
    const qint64 start = io.in().pos();
    qint64 bytesRead = 0;
    qint64 blockBytes = 0;
    for (const qint64 at : {size / 3, 2 * size / 3}) {
        if (!io.in().seek(start + at - at % kPiece))
            throw ELzrw1Exception(readFailure);
        const qint64 got = io.readUpTo(buffers.sourceChars(), kPiece, readFailure);
        bytesRead += got;
        blockBytes +=
            qint64(compressor_.compress(buffers.source(), std::size_t(got), buffers.target()));
    }
    io.in().seek(start);
    const int percent = percentOf(blockBytes, bytesRead);
    const bool fast = blockBytes < bytesRead * threshold_ / 100;
    setCaption(
        QString("Lzrw1 recommends %1 compression : %2%.").arg(fast ? "FAST" : "GOOD").arg(percent));
    return fast;
}

void Tlzrw1::showProgress(qint64 bytesIn, qint64 bytesOut) {
    if (visible_)
        setCaption(QString("(LZRW1/KH) Bytes in : %1 Bytes out : %2").arg(bytesIn).arg(bytesOut));
    // Keeps the window responsive during long files.
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void Tlzrw1::showResult(const QString& verb, qint64 bytesIn, qint64 bytesOut) {
    if (visible_)
        setCaption(QString("%1 : Lzrw1 : successfully %2 at %3%")
                       .arg(inputFile_, verb)
                       .arg(percentOf(bytesOut, bytesIn)));
}

void Tlzrw1::setCaption(const QString& text) {
    if (!visible_ || caption_ == text)
        return;
    caption_ = text;
    emit captionChanged(caption_);
}

// Hostile tally files: any bytes, as a single block and as a whole "WRZL"
// container, must be expanded within bounds or refused with the component's
// exception; and whatever the encoder makes of them must expand back.
#include "tally/lzrw1kh.h"
#include "tally/tlzrw1.h"

#include <QBuffer>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

void expandOneBlock(const std::uint8_t* data, std::size_t size) {
    if (size > lzrw1::kMaxBlockSize)
        return;
    std::vector<std::uint8_t> out(lzrw1::kBufferSize);
    const std::optional<std::size_t> piece = lzrw1::expandBlock(data, size, out.data());
    require(!piece || *piece <= lzrw1::kPieceSize);
}

void expandContainer(const std::uint8_t* data, std::size_t size) {
    QBuffer in;
    in.setData(reinterpret_cast<const char*>(data), qsizetype(size));
    in.open(QIODevice::ReadOnly);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    Tlzrw1 component;
    component.setUseStream(true);
    component.setInputStream(&in);
    component.setOutputStream(&out);
    try {
        const qint64 written = component.Decompress();
        // Success means exactly the size that the header promised.
        require(size >= 8 && written == out.size() &&
                written == qint64(qFromLittleEndian<quint32>(data + 4)));
    } catch (const ELzrw1Exception&) {
    }
}

void roundTripOnePiece(const std::uint8_t* data, std::size_t size) {
    static Lzrw1KHCompressor compressor;
    const std::size_t n = std::min(size, lzrw1::kPieceSize);
    std::vector<std::uint8_t> block(lzrw1::kBufferSize);
    std::vector<std::uint8_t> back(lzrw1::kBufferSize);
    const std::size_t length = compressor.compress(data, n, block.data());
    require(length >= 1 && length <= n + 1);
    const std::optional<std::size_t> piece = lzrw1::expandBlock(block.data(), length, back.data());
    require(piece && *piece == n && std::memcmp(back.data(), data, n) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    expandOneBlock(data, size);
    expandContainer(data, size);
    roundTripOnePiece(data, size);
    return 0;
}

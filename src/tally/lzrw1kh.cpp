#include "tally/lzrw1kh.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

namespace {

constexpr std::size_t kMaxRun = 4095;
constexpr std::size_t kMinRun = 16;
constexpr std::size_t kMinCopy = 3;
constexpr std::size_t kMaxCopy = 18;
constexpr std::size_t kMaxDistance = 4095;
constexpr unsigned kItemsPerControlWord = 16;

unsigned hashOf(const std::uint8_t* p) {
    const std::uint32_t key = (((static_cast<std::uint32_t>(p[0]) << 4) ^ p[1]) << 4) ^ p[2];
    return ((key * 40543u) >> 4) & 4095u;
}

void putBigEndian16(std::uint8_t* at, unsigned value) {
    at[0] = static_cast<std::uint8_t>(value >> 8);
    at[1] = static_cast<std::uint8_t>(value);
}

// How many bytes from `p` on repeat p[0], counting p[0] itself, up to `limit`.
std::size_t runLength(const std::uint8_t* p, std::size_t limit) {
    std::size_t length = 1;
    while (length < limit && p[length] == p[0])
        ++length;
    return length;
}

bool startsAlike(const std::uint8_t* p, const std::uint8_t* q) {
    return ((p[0] ^ q[0]) | (p[1] ^ q[1]) | (p[2] ^ q[2])) == 0;
}

// How many bytes `candidate` shares with `p`, up to `limit`. Compares eight
// at a time while eight remain within the limit.
std::size_t matchLength(const std::uint8_t* p, const std::uint8_t* candidate, std::size_t limit) {
    std::size_t length = 0;
    while (length + 8 <= limit) {
        std::uint64_t a;
        std::uint64_t b;
        std::memcpy(&a, p + length, 8);
        std::memcpy(&b, candidate + length, 8);
        if (a != b) {
            if constexpr (std::endian::native == std::endian::little)
                return length + std::size_t(std::countr_zero(a ^ b) / 8);
            break;
        }
        length += 8;
    }
    while (length < limit && p[length] == candidate[length])
        ++length;
    return length;
}

// Repeats `length` bytes from `distance` back, byte by byte in effect: a copy
// may overlap what it produces. Chunks of 8 are safe once the source lies 8
// or more back; they may write up to 6 bytes past the end, into the spare.
void copyBack(std::uint8_t* to, std::size_t distance, std::size_t length) {
    const std::uint8_t* from = to - distance;
    if (distance >= 8) {
        for (std::size_t i = 0; i < length; i += 8)
            std::memcpy(to + i, from + i, 8);
        return;
    }
    for (std::size_t i = 0; i < length; ++i)
        to[i] = from[i];
}

} // namespace

Lzrw1KHCompressor::Lzrw1KHCompressor() {
    table_.reset(new (std::nothrow) std::int16_t[kHashSlots]);
    if (!table_)
        throw ELzrw1KHCompressor();
}

std::size_t Lzrw1KHCompressor::compress(const std::uint8_t* in, std::size_t size,
                                        std::uint8_t* out) {
    // A local copy: stores through `out` could alias the member for all
    // the compiler knows, and it would reload it after each one.
    std::int16_t* const table = table_.get();
    std::fill_n(table, kHashSlots, std::int16_t{-1});
    out[0] = lzrw1::kCompressedFlag;
    std::size_t x = 0;
    std::size_t y = 3;
    std::size_t controlAt = 1;
    unsigned control = 0;
    unsigned items = 0;
    while (x < size && y <= size) {
        if (items == kItemsPerControlWord) {
            putBigEndian16(out + controlAt, control);
            controlAt = y;
            y += 2;
            items = 0;
            control = 0;
        }
        const std::size_t run = runLength(in + x, std::min(size - x, kMaxRun));
        if (run >= kMinRun) {
            out[y] = 0;
            putBigEndian16(out + y + 1, static_cast<unsigned>(run - kMinRun));
            out[y + 3] = in[x];
            y += 4;
            x += run;
            control = (control << 1) | 1u;
        } else {
            // The last two positions cannot start a copy of three bytes, so
            // they are literals without a look at the table (whose update
            // there could never matter).
            std::size_t match = 0;
            std::size_t distance = 0;
            if (size - x >= kMinCopy) {
                std::int16_t& slot = table[hashOf(in + x)];
                const std::int16_t previous = slot;
                slot = static_cast<std::int16_t>(x);
                distance = x - static_cast<std::size_t>(previous);
                // Whether the slot is usable is a coin toss on some data:
                // pick the candidate without a branch (x itself when none)
                // and branch only on a real three-byte match.
                const bool usable = previous >= 0 && distance <= kMaxDistance;
                const std::size_t from = usable ? static_cast<std::size_t>(previous) : x;
                if (from != x && startsAlike(in + x, in + from))
                    match = kMinCopy + matchLength(in + x + kMinCopy, in + from + kMinCopy,
                                                   std::min(size - x, kMaxCopy) - kMinCopy);
            }
            if (match >= kMinCopy) {
                putBigEndian16(out + y,
                               static_cast<unsigned>((distance << 4) + (match - kMinCopy)));
                y += 2;
                x += match;
                control = (control << 1) | 1u;
            } else {
                out[y++] = in[x++];
                control <<= 1;
            }
        }
        ++items;
    }
    putBigEndian16(out + controlAt, control << (kItemsPerControlWord - items));
    if (y > size) {
        out[0] = lzrw1::kStoredFlag;
        std::memcpy(out + 1, in, size);
        return size + 1;
    }
    return y;
}

namespace lzrw1 {

std::optional<std::size_t> expandBlock(const std::uint8_t* block, std::size_t length,
                                       std::uint8_t* out) {
    if (length <= 1)
        return 0;
    if (block[0] == kStoredFlag) {
        if (length - 1 > kPieceSize)
            return std::nullopt;
        std::memcpy(out, block + 1, length - 1);
        return length - 1;
    }
    // Any other flag means a compressed block; one too short to hold its
    // control word holds no items either.
    if (length < 3)
        return 0;
    unsigned control = (unsigned{block[1]} << 8) | block[2];
    unsigned bitsLeft = kItemsPerControlWord;
    std::size_t x = 3;
    std::size_t y = 0;
    while (x < length) {
        if (bitsLeft == 0) {
            if (length - x < 3) // a control word must be followed by an item
                return std::nullopt;
            control = (unsigned{block[x]} << 8) | block[x + 1];
            x += 2;
            bitsLeft = kItemsPerControlWord;
        }
        if ((control & 0x8000u) == 0) {
            if (y == kPieceSize)
                return std::nullopt;
            out[y++] = block[x++];
        } else {
            if (length - x < 2)
                return std::nullopt;
            const std::size_t distance = (std::size_t{block[x]} << 4) | (block[x + 1] >> 4);
            if (distance != 0) {
                const std::size_t count = (block[x + 1] & 15u) + kMinCopy;
                if (distance > y || count > kPieceSize - y)
                    return std::nullopt;
                copyBack(out + y, distance, count);
                y += count;
                x += 2;
            } else {
                if (length - x < 4)
                    return std::nullopt;
                const std::size_t count =
                    ((std::size_t{block[x + 1]} << 8) | block[x + 2]) + kMinRun;
                if (count > kPieceSize - y)
                    return std::nullopt;
                std::memset(out + y, block[x + 3], count);
                y += count;
                x += 4;
            }
        }
        control = (control << 1) & 0xFFFFu;
        --bitsLeft;
    }
    return y;
}

} // namespace lzrw1

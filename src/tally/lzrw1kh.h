#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>

// LZRW1/KH block coding: one piece of at most 32768 bytes becomes one block
// of 1 to N + 1 bytes and back. No Qt here: the fuzzer and the benchmark
// use it bare.
namespace lzrw1 {

inline constexpr std::size_t kPieceSize = 32768;
// Work buffers hold a piece plus 16 spare bytes, which the encoder's last
// item and the expander's chunked copies may run into.
inline constexpr std::size_t kBufferSize = kPieceSize + 16;
inline constexpr std::size_t kMaxBlockSize = kPieceSize + 1;
inline constexpr std::uint8_t kStoredFlag = 0x80;
inline constexpr std::uint8_t kCompressedFlag = 0x40;

// Expands one block into `out` (kBufferSize bytes). Returns the piece's
// length, or nothing when the block is corrupt: an item cut off by the
// block's end, a copy from before the piece's start, or more than
// kPieceSize bytes of output. Never reads or writes outside the buffers.
std::optional<std::size_t> expandBlock(const std::uint8_t* block, std::size_t length,
                                       std::uint8_t* out);

} // namespace lzrw1

// The hash table could not be had.
class ELzrw1KHCompressor : public std::runtime_error {
public:
    ELzrw1KHCompressor() : std::runtime_error("LZRW1KH : no memory for HASH table") {}
};

// Owns the 4096-slot hash table, allocated once and refilled per block.
class Lzrw1KHCompressor {
public:
    Lzrw1KHCompressor(); // throws ELzrw1KHCompressor
    Lzrw1KHCompressor(const Lzrw1KHCompressor&) = delete;
    Lzrw1KHCompressor& operator=(const Lzrw1KHCompressor&) = delete;

    // Compresses `size` (at most kPieceSize) bytes of `in` into `out`
    // (kBufferSize bytes); returns the block's length. Reads nothing past
    // in[size - 1].
    std::size_t compress(const std::uint8_t* in, std::size_t size, std::uint8_t* out);

private:
    static constexpr std::size_t kHashSlots = 4096;
    std::unique_ptr<std::int16_t[]> table_;
};

// Memory-to-memory compression through registered packers.
//
// A compressed block is a bare zlib stream (RFC 1950); it does not record its
// uncompressed length, which the caller keeps beside it.
#pragma once

#include <cstdint>

namespace kv {

// The packer whose entry points are zlib's one-shot functions.
constexpr int ZipPacker = 1;

// Registers packer 1 (zlib); registering it again has no effect. Returns 1.
int RegisterZipPacker();

// Compresses sourceLength bytes into destination at level 6. Returns the
// compressed length, or 0 when the packer is not registered, the destination
// is too small or zlib fails.
std::int64_t CompressBlock(const void* source, std::int64_t sourceLength, void* destination,
                           std::int64_t capacity, int packer);

// The largest compressed length sourceLength bytes can take, so a caller can
// size a destination that always suffices.
std::int64_t CompressBlockBound(std::int64_t sourceLength);

// As CompressBlock at the given level, clamped to 0 (stored) .. 9.
std::int64_t CompressBlockLevel(const void* source, std::int64_t sourceLength, void* destination,
                                std::int64_t capacity, int packer, int level);

// Inflates sourceLength bytes into destination. Returns the uncompressed
// length, or -1 when the packer is not registered, the destination is too
// small or the data is damaged.
std::int64_t UncompressBlock(const void* source, std::int64_t sourceLength, void* destination,
                             std::int64_t capacity, int packer);

}  // namespace kv

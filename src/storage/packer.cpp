#include "packer.h"

#include <zlib.h>

#include <algorithm>
#include <limits>
#include <vector>

namespace kv {

namespace {

// Entry points of a packer; each returns the output length, or -1 on failure.
struct Packer {
  int number;
  std::int64_t (*compress)(const void* source, std::int64_t sourceLength, void* destination,
                           std::int64_t capacity, int level);
  std::int64_t (*uncompress)(const void* source, std::int64_t sourceLength, void* destination,
                             std::int64_t capacity);
};

std::vector<Packer>& Registry() {
  static std::vector<Packer> packers;
  return packers;
}

const Packer* FindPacker(int number) {
  for (const Packer& packer : Registry()) {
    if (packer.number == number) return &packer;
  }
  return nullptr;
}

// zlib counts in uLong, which is 32 bits on Windows.
bool FitsZlib(std::int64_t length) {
  return length >= 0 && static_cast<std::uint64_t>(length) <= std::numeric_limits<uLong>::max();
}

std::int64_t ZipCompress(const void* source, std::int64_t sourceLength, void* destination,
                         std::int64_t capacity, int level) {
  if (!FitsZlib(sourceLength) || !FitsZlib(capacity)) return -1;
  uLongf written = static_cast<uLongf>(capacity);
  int status = compress2(static_cast<Bytef*>(destination), &written,
                         static_cast<const Bytef*>(source), static_cast<uLong>(sourceLength), level);
  return status == Z_OK ? static_cast<std::int64_t>(written) : -1;
}

std::int64_t ZipUncompress(const void* source, std::int64_t sourceLength, void* destination,
                           std::int64_t capacity) {
  if (!FitsZlib(sourceLength) || !FitsZlib(capacity)) return -1;
  uLongf written = static_cast<uLongf>(capacity);
  int status = uncompress(static_cast<Bytef*>(destination), &written,
                          static_cast<const Bytef*>(source), static_cast<uLong>(sourceLength));
  return status == Z_OK ? static_cast<std::int64_t>(written) : -1;
}

}  // namespace

int RegisterZipPacker() {
  if (!FindPacker(ZipPacker)) Registry().push_back({ZipPacker, ZipCompress, ZipUncompress});
  return 1;
}

std::int64_t CompressBlock(const void* source, std::int64_t sourceLength, void* destination,
                           std::int64_t capacity, int packer) {
  return CompressBlockLevel(source, sourceLength, destination, capacity, packer, 6);
}

std::int64_t CompressBlockLevel(const void* source, std::int64_t sourceLength, void* destination,
                                std::int64_t capacity, int packer, int level) {
  const Packer* entry = FindPacker(packer);
  if (!entry) return 0;
  std::int64_t written =
      entry->compress(source, sourceLength, destination, capacity, std::clamp(level, 0, 9));
  return std::max<std::int64_t>(written, 0);
}

std::int64_t UncompressBlock(const void* source, std::int64_t sourceLength, void* destination,
                             std::int64_t capacity, int packer) {
  const Packer* entry = FindPacker(packer);
  return entry ? entry->uncompress(source, sourceLength, destination, capacity) : -1;
}

std::int64_t CompressBlockBound(std::int64_t sourceLength) {
  auto length = static_cast<uLong>(std::max<std::int64_t>(sourceLength, 0));
  return static_cast<std::int64_t>(compressBound(length));
}

}  // namespace kv

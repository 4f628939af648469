#include "memory_block.h"

#include <cstddef>
#include <cstdlib>

namespace kv {

namespace {

// The size sits in front of the caller's bytes, padded so that they keep the
// heap's alignment.
constexpr std::size_t kHeader = alignof(std::max_align_t);
static_assert(kHeader >= sizeof(std::int64_t));

unsigned char* HeaderOf(const void* block) {
  return static_cast<unsigned char*>(const_cast<void*>(block)) - kHeader;
}

}  // namespace

void* AllocateBlock(std::int64_t size) {
  if (size <= 0 || static_cast<std::uint64_t>(size) > SIZE_MAX - kHeader) return nullptr;
  auto* header = static_cast<unsigned char*>(std::calloc(1, kHeader + static_cast<std::size_t>(size)));
  if (!header) return nullptr;
  *reinterpret_cast<std::int64_t*>(header) = size;
  return header + kHeader;
}

std::int64_t BlockSize(const void* block) {
  return block ? *reinterpret_cast<const std::int64_t*>(HeaderOf(block)) : 0;
}

void FreeBlock(void* block) {
  if (block) std::free(HeaderOf(block));
}

}  // namespace kv

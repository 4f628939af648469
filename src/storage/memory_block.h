// Memory blocks: zero-filled heap blocks that know their exact byte count.
#pragma once

#include <cstdint>

namespace kv {

// A zero-filled block of exactly size bytes; null for a size of 0 or less, or
// when the memory cannot be had.
void* AllocateBlock(std::int64_t size);

// The byte count the block was allocated with; 0 for null.
std::int64_t BlockSize(const void* block);

// Frees a block from AllocateBlock; null is ignored.
void FreeBlock(void* block);

}  // namespace kv

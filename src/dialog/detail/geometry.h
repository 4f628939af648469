// Sizes and rectangles of the layout, in the toolkit's units.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace kv::dialog {

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
};

// Layout arithmetic runs in 64 bits and is cut back to 32 bits when stored,
// so that absurd attribute values saturate instead of overflowing.
inline int Saturate(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

}  // namespace kv::dialog

// What the running program holds of the system, for watching it over time.
#pragma once

#include <string>
#include <vector>

namespace kv::bench {

struct Usage {
  std::string name;
  double value;
  bool judged = true;  // counts towards the growth limit
};

// Windows: working set and private bytes in KiB, GDI and USER objects, open
// handles. Elsewhere: the resident set in KiB, and the live heap in KiB when
// a sanitizer's allocator is in, which alone is judged then.
std::vector<Usage> ProcessUsage();

}  // namespace kv::bench

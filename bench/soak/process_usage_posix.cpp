#include <unistd.h>

#include <cstddef>
#include <fstream>

#include "process_usage.h"

// Present when a sanitizer's allocator is linked in.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

namespace kv::bench {

std::vector<Usage> ProcessUsage() {
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  double residentKiB = static_cast<double>(resident * (sysconf(_SC_PAGESIZE) / 1024));
  // A checker's allocator keeps freed blocks for a while (a quarantine, caches
  // per size and thread) in the resident set: there the live heap tells what
  // the program holds. The leak checker alone counts nothing and returns 0.
  std::size_t live =
      __sanitizer_get_current_allocated_bytes ? __sanitizer_get_current_allocated_bytes() : 0;
  if (live == 0) return {{"resident KiB", residentKiB}};
  return {{"live heap KiB", static_cast<double>(live / 1024)},
          {"resident KiB", residentKiB, false}};
}

}  // namespace kv::bench

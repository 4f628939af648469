#include <unistd.h>

#include <fstream>

#include "process_usage.h"

namespace kv::bench {

std::vector<Usage> ProcessUsage() {
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return {{"resident KiB", static_cast<double>(resident * (sysconf(_SC_PAGESIZE) / 1024))}};
}

}  // namespace kv::bench

#include <windows.h>
#include <psapi.h>

#include "process_usage.h"

namespace kv::bench {

std::vector<Usage> ProcessUsage() {
  HANDLE self = GetCurrentProcess();
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof(memory);
  GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
  DWORD handles = 0;
  GetProcessHandleCount(self, &handles);
  return {
      {"working set KiB", static_cast<double>(memory.WorkingSetSize / 1024)},
      {"private KiB", static_cast<double>(memory.PrivateUsage / 1024)},
      {"GDI objects", static_cast<double>(GetGuiResources(self, GR_GDIOBJECTS))},
      {"USER objects", static_cast<double>(GetGuiResources(self, GR_USEROBJECTS))},
      {"handles", static_cast<double>(handles)},
  };
}

}  // namespace kv::bench

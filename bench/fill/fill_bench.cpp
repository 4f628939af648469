// Times each bulk operation a Reload makes on a list view and on the DEVICE
// INFO editor, at several sizes: filling in one call, emptying a full
// gadget, reading every row back.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "toolkit/dpi.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/top_windows.h"

using namespace kv;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kWindow = 1, kList = 2, kEditor = 3;

std::vector<Text> Rows(int count) {
  std::vector<Text> rows;
  for (int i = 0; i < count; ++i) {
    rows.push_back(AsciiText("com.example.vendor" + std::to_string(i) + ".service.provider"));
  }
  return rows;
}

template <class Operation>
double Ms(Operation operation) {
  auto start = Clock::now();
  operation();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void Measure(int gadget, const char* name, int count) {
  std::vector<Text> rows = Rows(count);
  double fill = Ms([&] { AppendGadgetItems(gadget, rows); });
  double read = Ms([&] {
    for (int i = 0; i < count; ++i) ReadGadgetItemText(gadget, i);
  });
  double refill = Ms([&] {
    ClearGadget(gadget);
    AppendGadgetItems(gadget, rows);
  });
  double empty = Ms([&] { ClearGadget(gadget); });
  while (WaitForEvent(0) != 0) {
  }
  std::printf("  %-9s %6d rows: fill %8.1f ms, read back %8.1f ms, empty and fill %8.1f ms,"
              " empty %8.1f ms\n",
              name, count, fill, read, refill, empty);
}

}  // namespace

int main() {
  InitDpiScale();
  InitEventLibrary();
  InitWindowLibrary();
  InitGadgetLibrary();
  if (!NewWindow(kWindow, 0, 0, 640, 480, u"fill", KV_Window_SystemMenu)) return 1;
  NewListView(kList, 0, 0, 300, 400);
  NewEditor(kEditor, 310, 0, 300, 400, KV_Editor_ReadOnly);
  for (int count : {1500, 6000, 45000}) {
    std::printf("%d rows\n", count);
    Measure(kList, "list view", count);
    Measure(kEditor, "editor", count / 4);
  }
  EndGadgetLibrary();
  EndWindowLibrary();
  EndEventLibrary();
  return 0;
}

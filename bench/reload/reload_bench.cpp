// A Reload of the real program, from a click on its button until the queue is
// idle after the last end call, stepped one main-loop pass at a time against
// the fake adb playing the demo device at two sizes; in the same run the
// twelve invocations back to back with blocking reads. Prints where the
// passes spend their time, the longest pass and the reload/direct ratio.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "app/adb.h"
#include "app/program.h"
#include "fixtures/demo_device.h"
#include "fixtures/fake_device.h"
#include "storage/file_paths.h"
#include "toolkit/gadgets.h"
#include "toolkit/user.h"

using namespace kv;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::size_t kQueries = 12;
const std::array<TextView, kQueries> kReloadQueries = {
    adb::kDevices,        adb::kListLibraries,  adb::kListModules,    adb::kDumpsysList,
    adb::kSettingsGlobal, adb::kSettingsSecure, adb::kSettingsSystem, adb::kUserEnabled,
    adb::kUserDisabled,   adb::kSystemEnabled,  adb::kSystemDisabled, adb::kSystemAll,
};

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// Output lines of each query, as a blocking read returns them.
using LineCounts = std::array<long, kQueries>;

LineCounts RunDirect(const Text& adbPath) {
  LineCounts lines{};
  for (std::size_t i = 0; i < kQueries; ++i) {
    ProcessHandle child =
        StartProcess(adbPath, kReloadQueries[i], PathDirectory(adbPath), adb::kCommandFlags);
    // At the end of the data a blocking read returns an empty text; the
    // devices answer's empty last line is not counted either.
    while (ProcessActive(child)) lines[i] += !ReadProcessLine(child).empty();
    CloseProcess(child);
  }
  return lines;
}

// Where one query's passes went: its begin call (emptying the list), the
// longest pass that read its lines, and its end call (sorting and filling).
struct QueryPasses {
  double beginCall = 0, longestRead = 0, endCall = 0;
};

struct ReloadPasses {
  std::array<QueryPasses, kQueries> queries{};
  double longest = 0;
  std::string longestWhat;
  bool everyClickQueued = true;
};

const char* PassKind(PumpState state) {
  switch (state) {
    case PumpState::Idle:
      return "start";
    case PumpState::Started:
      return "begin call";
    case PumpState::Reading:
      return "reading";
    case PumpState::Finished:
      return "end call";
  }
  return "";
}

void Pass(Program& program, ReloadPasses& passes) {
  PumpState state = program.channel.State();
  std::size_t queued = program.channel.QueuedCount();
  std::size_t query =
      std::min(kQueries - queued - (state == PumpState::Idle ? 0 : 1), kQueries - 1);
  int wait = program.LoopWaitMs();
  auto start = Clock::now();
  program.RunLoopPass(wait);
  double ms = Ms(Clock::now() - start);
#ifdef KV_BENCH_WAITS_FOR_PLATFORM
  std::this_thread::sleep_for(std::chrono::milliseconds(wait));
#endif
  QueryPasses& q = passes.queries[query];
  if (state == PumpState::Started) q.beginCall = std::max(q.beginCall, ms);
  if (state == PumpState::Reading) q.longestRead = std::max(q.longestRead, ms);
  if (state == PumpState::Finished) q.endCall = std::max(q.endCall, ms);
  if (ms > passes.longest) {
    passes.longest = ms;
    passes.longestWhat = std::string(PassKind(state)) + " of " + AsciiBytes(kReloadQueries[query]);
  }
}

// Returns the time from the click's return to the idle queue.
double RunReload(Program& program, ReloadPasses& passes) {
  user::ClickButton(program.g.cmdGenReload);
  passes.everyClickQueued =
      passes.everyClickQueued && program.channel.QueuedCount() == kQueries;
  auto start = Clock::now();
  while (!program.channel.IsIdle()) Pass(program, passes);
  return Ms(Clock::now() - start);
}

// The lists must hold what adb printed, or the reload measured nothing.
bool ListsMatch(const MainGadgets& g, const LineCounts& direct) {
  return GadgetItemCount(g.lstSLibraries) == direct[1] &&
         GadgetItemCount(g.lstCGlobal) == direct[4] &&
         GadgetItemCount(g.lstUEnabled) == direct[7] &&
         GadgetItemCount(g.lstSEnabled) == direct[9] &&
         GadgetItemCount(g.lstSUninstalled) == direct[11] - direct[9] - direct[10];
}

void PrintPasses(const ReloadPasses& passes, const LineCounts& lines) {
  std::printf("  %-36s %6s %10s %13s %9s\n", "query", "lines", "begin ms", "longest read",
              "end ms");
  for (std::size_t i = 0; i < kQueries; ++i) {
    const QueryPasses& q = passes.queries[i];
    std::printf("  %-36s %6ld %10.2f %13.2f %9.2f\n", AsciiBytes(kReloadQueries[i]).c_str(),
                lines[i], q.beginCall, q.longestRead, q.endCall);
  }
  std::printf("  longest loop pass %.2f ms (%s)\n", passes.longest, passes.longestWhat.c_str());
}

// Best times of the two runs, taken in turns so that both meet the same noise.
// Returns the ratio, or 0 when the reload did not fill the lists.
double Measure(Program& program, const test::FakeDevice& device, int scale, int rounds) {
  device.SetDevice(test::DemoDevice(scale));
  LineCounts lines = RunDirect(program.AdbPath());  // also warms the file cache
  long total = 0;
  for (long n : lines) total += n;
  std::printf("demo device x%d: %ld lines from the twelve queries\n", scale, total);

  ReloadPasses passes;
  double reload = 1e12, direct = 1e12;
  for (int i = 0; i < rounds; ++i) {
    auto start = Clock::now();
    RunDirect(program.AdbPath());
    direct = std::min(direct, Ms(Clock::now() - start));
    reload = std::min(reload, RunReload(program, passes));
  }
  if (!passes.everyClickQueued || !ListsMatch(program.g, lines)) {
    std::printf("  the Reload did not fill the lists with adb's answers: nothing measured\n");
    return 0;
  }
  PrintPasses(passes, lines);
  std::printf("  best of %d: reload %.1f ms, direct %.1f ms, ratio %.2f\n", rounds, reload, direct,
              reload / direct);
  return reload / direct;
}

}  // namespace

int main() {
  test::FakeDevice device("bench-reload");
  Program program(Text((device.Folder() / "kestrelvane.cfg").u16string()));
  if (!program.Start()) return 1;
  program.config.ADBPath = device.AdbPath();
  constexpr int kAtLeast5000Lines = 4, kTenTimesTheDemo = 10;
  double small = Measure(program, device, kAtLeast5000Lines, 7);
  double large = Measure(program, device, kTenTimesTheDemo, 3);
  program.End();
  if (small == 0 || large == 0) return 1;
  std::printf("reload/direct ratio %.2f\n", std::max(small, large));
  return 0;
}

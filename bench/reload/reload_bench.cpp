// A Reload of the real program, from a click on its button until the last end
// call, stepped one main-loop pass at a time against the fake adb playing the
// demo device at 1, 4 and 30 times its size; in the same run the twelve
// invocations back to back with blocking reads. Each round starts the program
// afresh and reloads twice: the first Reload fills an empty window, the second
// empties full lists and a full DEVICE INFO editor first. Prints, per query,
// the time its passes spent starting adb and in the begin, line and end calls,
// the longest loop pass, and each Reload's ratio to the direct run.
#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

#include "app/adb.h"
#include "app/program.h"
#include "fixtures/demo_device.h"
#include "fixtures/fake_device.h"
#include "storage/file_paths.h"
#include "toolkit/events.h"
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

// Output lines of each query, as a blocking read returns them, and the time
// of each invocation.
using LineCounts = std::array<long, kQueries>;
struct DirectRun {
  LineCounts lines{};
  std::array<double, kQueries> ms{};
  double total = 1e12;
};

DirectRun RunDirect(const Text& adbPath) {
  DirectRun run;
  auto start = Clock::now();
  for (std::size_t i = 0; i < kQueries; ++i) {
    auto started = Clock::now();
    ProcessHandle child =
        StartProcess(adbPath, kReloadQueries[i], PathDirectory(adbPath), adb::kCommandFlags);
    // At the end of the data a blocking read returns an empty text; the
    // devices answer's empty last line is not counted either.
    while (ProcessActive(child)) run.lines[i] += !ReadProcessLine(child).empty();
    CloseProcess(child);
    run.ms[i] = Ms(Clock::now() - started);
  }
  run.total = Ms(Clock::now() - start);
  return run;
}

// Time the passes of one query spent, by what the pass did.
struct QueryTimes {
  double start = 0, begin = 0, lines = 0, end = 0;
  int passes = 0;
};

struct ReloadTimes {
  double total = 1e12;  // from the click to the idle channel
  std::array<QueryTimes, kQueries> queries{};
  double longestPass = 0;
  double longestMessages = 0;  // of it, in the platform's message handling
  int longestMessage = 0;      // the number of the message it handled
  std::string longestWhat;
};

const char* PassKind(PumpState state) {
  switch (state) {
    case PumpState::Idle:
    case PumpState::Starting:
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

#ifdef KV_BENCH_WAITS_FOR_PLATFORM
// The headless wait returns at once, so the bench waits the loop's time-out
// itself, ended early by the channel's wake as a platform's wait is.
class PlatformWait {
 public:
  void Wake() {
    std::lock_guard<std::mutex> hold(lock_);
    woken_ = true;
    signal_.notify_one();
  }
  void Wait(int ms) {
    std::unique_lock<std::mutex> hold(lock_);
    signal_.wait_for(hold, std::chrono::milliseconds(ms), [this] { return woken_; });
    woken_ = false;
  }

 private:
  std::mutex lock_;
  std::condition_variable signal_;
  bool woken_ = false;
};
PlatformWait platformWait;
#endif

void Pass(Program& program, ReloadTimes& times) {
  PumpState state = program.channel.State();
  std::size_t queued = program.channel.QueuedCount();
  std::size_t query =
      std::min(kQueries - queued - (state == PumpState::Idle ? 0 : 1), kQueries - 1);
  int wait = program.LoopWaitMs();
  // The program's own pass, timed in its two halves.
  auto start = Clock::now();
  int message = WaitForEvent(wait);
#ifdef KV_BENCH_WAITS_FOR_PLATFORM
  if (wait > 0) platformWait.Wait(wait);
#endif
  auto messagesDone = Clock::now();
  program.channel.Pump();
  double ms = Ms(Clock::now() - start);
  QueryTimes& q = times.queries[query];
  ++q.passes;
  if (state == PumpState::Idle || state == PumpState::Starting) q.start += ms;
  if (state == PumpState::Started) q.begin += ms;
  if (state == PumpState::Reading) q.lines += ms;
  if (state == PumpState::Finished) q.end += ms;
  if (ms > times.longestPass) {
    times.longestPass = ms;
    times.longestMessages = Ms(messagesDone - start);
    times.longestMessage = message;
    times.longestWhat = std::string(PassKind(state)) + " of " + AsciiBytes(kReloadQueries[query]);
  }
}

// The user clicks on a window that is already drawn: its first painting is
// not the Reload's.
void ShowWindowFirst() {
  auto until = Clock::now() + std::chrono::milliseconds(300);
  while (Clock::now() < until) WaitForEvent(1);
}

// One Reload; keeps its times when it was the fastest so far.
bool Reload(Program& program, ReloadTimes& best) {
  user::ClickButton(program.g.cmdGenReload);
  if (program.channel.QueuedCount() != kQueries) return false;
  ReloadTimes times;
  auto start = Clock::now();
  while (!program.channel.IsIdle()) Pass(program, times);
  times.total = Ms(Clock::now() - start);
  if (times.total < best.total) best = times;
  return true;
}

// The lists must hold what adb printed, or the reload measured nothing.
bool ListsMatch(const MainGadgets& g, const LineCounts& direct) {
  return GadgetItemCount(g.lstSLibraries) == direct[1] &&
         GadgetItemCount(g.lstCGlobal) == direct[4] &&
         GadgetItemCount(g.lstUEnabled) == direct[7] &&
         GadgetItemCount(g.lstSEnabled) == direct[9] &&
         GadgetItemCount(g.lstSUninstalled) == direct[11] - direct[9] - direct[10];
}

void PrintTimes(const char* which, const ReloadTimes& times, const DirectRun& direct) {
  std::printf("  %s Reload: %.1f ms, ratio %.2f; longest loop pass %.2f ms (%s; %.2f ms of it "
              "in message 0x%04x)\n",
              which, times.total, times.total / direct.total, times.longestPass,
              times.longestWhat.c_str(), times.longestMessages, times.longestMessage);
  std::printf("    %-36s %6s %9s %6s %9s %9s %9s %9s\n", "query", "lines", "direct ms",
              "passes", "start ms", "begin ms", "lines ms", "end ms");
  for (std::size_t i = 0; i < kQueries; ++i) {
    const QueryTimes& q = times.queries[i];
    std::printf("    %-36s %6ld %9.2f %6d %9.2f %9.2f %9.2f %9.2f\n",
                AsciiBytes(kReloadQueries[i]).c_str(), direct.lines[i], direct.ms[i], q.passes,
                q.start, q.begin, q.lines, q.end);
  }
}

// Best times, taken in turns so that the runs meet the same noise. Returns the
// larger of the two Reloads' ratios, or 0 when a Reload did not fill the lists.
double Measure(const test::FakeDevice& device, int scale, int rounds) {
  device.SetDevice(test::DemoDevice(scale));
  Text adbPath = device.AdbPath();
  LineCounts lines = RunDirect(adbPath).lines;  // also warms the file cache
  long total = 0;
  for (long n : lines) total += n;
  std::printf("demo device x%d: %ld lines from the twelve queries\n", scale, total);

  ReloadTimes first, second;
  DirectRun direct;
  for (int i = 0; i < rounds; ++i) {
    DirectRun run = RunDirect(adbPath);
    if (run.total < direct.total) direct = run;
    Program program(Text((device.Folder() / "kestrelvane.cfg").u16string()));
    if (!program.Start()) return 0;
#ifdef KV_BENCH_WAITS_FOR_PLATFORM
    program.channel.wake = [] { platformWait.Wake(); };
#endif
    program.config.ADBPath = adbPath;
    ShowWindowFirst();
    bool filled = Reload(program, first) && Reload(program, second) && ListsMatch(program.g, lines);
    program.End();
    if (!filled) {
      std::printf("  a Reload did not fill the lists with adb's answers: nothing measured\n");
      return 0;
    }
  }
  std::printf("  direct run, best of %d: %.1f ms\n", rounds, direct.total);
  PrintTimes("first", first, direct);
  PrintTimes("second", second, direct);
  return std::max(first.total, second.total) / direct.total;
}

}  // namespace

// A device size as the argument measures that size alone.
int main(int argc, char** argv) {
  InitProcessRunner();
  test::FakeDevice device("bench-reload");
  const std::pair<int, int> kScalesAndRounds[] = {{1, 5}, {4, 3}, {30, 2}};
  int only = argc > 1 ? std::atoi(argv[1]) : 0;
  double worst = 0;
  for (auto [scale, rounds] : kScalesAndRounds) {
    if (only && scale != only) continue;
    double ratio = Measure(device, scale, rounds);
    if (ratio == 0) return 1;
    std::printf("  x%d: reload/direct ratio %.2f\n", scale, ratio);
    worst = std::max(worst, ratio);
  }
  std::printf("reload/direct ratio, worst of all sizes and both Reloads: %.2f\n", worst);
  return 0;
}

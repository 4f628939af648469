// The twelve Reload queries through the command channel, pumped from a loop
// that waits 1 ms between passes as the main loop does, against the same
// twelve invocations run back to back with blocking reads.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <thread>
#include <vector>

#include "app/adb.h"
#include "app/command_channel.h"
#include "fixtures/fake_device.h"
#include "storage/file_paths.h"

using namespace kv;
using Clock = std::chrono::steady_clock;

namespace {

const TextView kReloadQueries[] = {
    adb::kDevices,        adb::kListLibraries,  adb::kListModules,     adb::kDumpsysList,
    adb::kSettingsGlobal, adb::kSettingsSecure, adb::kSettingsSystem,  adb::kUserEnabled,
    adb::kUserDisabled,   adb::kSystemEnabled,  adb::kSystemDisabled,  adb::kSystemAll,
};

std::string ScaledDevice() {
  std::ostringstream device;
  const char* states[] = {"enabled", "disabled", "uninstalled"};
  for (int i = 0; i < 1500; ++i) device << "user com.example.user" << i << ' ' << states[i % 2] << '\n';
  for (int i = 0; i < 1500; ++i) device << "system com.android.sys" << i << ' ' << states[i % 3] << '\n';
  for (int i = 0; i < 300; ++i) device << "library android.lib" << i << '\n';
  for (int i = 0; i < 100; ++i) device << "module com.android.module" << i << '\n';
  for (int i = 0; i < 300; ++i) device << "devinfo service" << i << '\n';
  for (const char* table : {"global", "secure", "system"}) {
    for (int i = 0; i < 300; ++i) device << "setting " << table << " key" << i << '=' << i << '\n';
  }
  return device.str();
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

long RunThroughChannel(const Text& adbPath) {
  CommandChannel channel(adbPath);
  long lines = 0;
  for (TextView query : kReloadQueries) {
    channel.Enqueue(query, {nullptr, [&](Text line) { lines += !line.empty(); }, nullptr});
  }
  while (!channel.IsIdle()) {
    channel.Pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return lines;
}

long RunDirect(const Text& adbPath) {
  long lines = 0;
  for (TextView query : kReloadQueries) {
    ProcessHandle child = StartProcess(adbPath, query, PathDirectory(adbPath), adb::kCommandFlags);
    // A blocking read at the end of the data returns an empty text, so only
    // non-empty lines are counted, in both runs.
    while (ProcessActive(child)) lines += !ReadProcessLine(child).empty();
    CloseProcess(child);
  }
  return lines;
}

// Best times of both runs, taken in turns so that both meet the same noise.
void Measure(const Text& adbPath, int rounds, double* channel, double* direct, long* channelLines, long* directLines) {
  *channel = *direct = 1e9;
  for (int i = 0; i < rounds; ++i) {
    auto start = Clock::now();
    *directLines = RunDirect(adbPath);
    *direct = std::min(*direct, Seconds(Clock::now() - start));
    start = Clock::now();
    *channelLines = RunThroughChannel(adbPath);
    *channel = std::min(*channel, Seconds(Clock::now() - start));
  }
}

}  // namespace

int main() {
  InitProcessRunner();
  test::FakeDevice device("bench-channel");
  device.SetDevice(ScaledDevice());
  Text adbPath = device.AdbPath();

  const int rounds = 9;
  long channelLines = 0, directLines = 0;
  double channel = 0, direct = 0;
  RunDirect(adbPath);  // warm the file cache
  Measure(adbPath, rounds, &channel, &direct, &channelLines, &directLines);
  std::printf("lines: channel %ld, direct %ld\n", channelLines, directLines);
  std::printf("best of %d: channel %.1f ms, direct %.1f ms\n", rounds, channel * 1e3, direct * 1e3);
  std::printf("channel/direct ratio %.2f\n", channel / direct);
  return channelLines == directLines ? 0 : 1;
}

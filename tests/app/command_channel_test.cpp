#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

#include "app/command_channel.h"
#include "fixtures/fake_device.h"
#include "storage/file_paths.h"

using namespace kv;
using namespace std::chrono_literals;

namespace {

enum Phase { PhaseBegin, PhaseLine, PhaseEnd };

struct Call {
  Text key;
  int phase;
  Text line;
  bool operator==(const Call&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Call& c) {
  return out << EncodeUtf8(c.key) << '/' << c.phase << '/' << EncodeUtf8(c.line);
}

struct Channel : ::testing::Test {
  test::FakeDevice device{::testing::UnitTest::GetInstance()->current_test_info()->name()};
  Text adbPath = device.AdbPath();
  CommandChannel channel{adbPath};
  std::vector<Call> calls;
  CommandOutcome outcome;  // handed to the last end step

  // Steps that record each call under key.
  CommandSteps Record(const Text& key) {
    return {[this, key] { calls.push_back({key, PhaseBegin, u""}); },
            [this, key](Text line) { calls.push_back({key, PhaseLine, line}); },
            [this, key](const CommandOutcome& ended) {
              calls.push_back({key, PhaseEnd, u""});
              outcome = ended;
            }};
  }

  static void SetUpTestSuite() { InitProcessRunner(); }
  void TearDown() override {
    channel.Clear();
    RunToIdle();
  }

  // Pumps as the main loop does until the queue is empty and the pump idle.
  int RunToIdle() {
    int passes = 0;
    auto deadline = std::chrono::steady_clock::now() + 30s;
    while (!channel.IsIdle() && std::chrono::steady_clock::now() < deadline) {
      channel.Pump();
      ++passes;
      std::this_thread::sleep_for(1ms);
    }
    return passes;
  }

  // Waits for the channel to have a step to make, as the main loop does.
  bool AwaitStepNow() {
    auto deadline = std::chrono::steady_clock::now() + 30s;
    while (!channel.HasStepNow() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(1ms);
    }
    return channel.HasStepNow();
  }

  std::vector<Text> LinesOf(const Text& key) const {
    std::vector<Text> lines;
    for (const Call& c : calls) {
      if (c.key == key && c.phase == PhaseLine) lines.push_back(c.line);
    }
    return lines;
  }
};

}  // namespace

TEST_F(Channel, DeliversBeginLinesAndEndInOrder) {
  channel.Enqueue(u"shell pm list packages -s -u", Record(u"UNINSTALLED"));
  EXPECT_GE(RunToIdle(), 4);
  EXPECT_EQ(calls, (std::vector<Call>{{u"UNINSTALLED", PhaseBegin, u""},
                                      {u"UNINSTALLED", PhaseLine, u"package:com.android.settings"},
                                      {u"UNINSTALLED", PhaseLine, u"package:com.android.bluetooth"},
                                      {u"UNINSTALLED", PhaseLine, u"package:com.android.printspooler"},
                                      {u"UNINSTALLED", PhaseLine, u"package:com.android.egg"},
                                      {u"UNINSTALLED", PhaseEnd, u""}}));
  EXPECT_EQ(device.Invocations(), "shell pm list packages -s -u\n");
}

TEST_F(Channel, StepsThroughItsStates) {
  channel.Enqueue(u"devices", Record(u"DEVICES"));
  channel.Pump();
  EXPECT_EQ(channel.State(), PumpState::Starting);
  EXPECT_EQ(channel.RunningProcess(), 0u);  // taken from the start on the next pass
  EXPECT_TRUE(AwaitStepNow());
  channel.Pump();
  EXPECT_EQ(channel.State(), PumpState::Started);
  EXPECT_NE(IsProcessHandle(channel.RunningProcess()), 0u);
  EXPECT_TRUE(calls.empty());
  channel.Pump();
  EXPECT_EQ(channel.State(), PumpState::Reading);
  EXPECT_EQ(calls, (std::vector<Call>{{u"DEVICES", PhaseBegin, u""}}));
  RunToIdle();
  // The empty line that ends adb's device list is a line too.
  EXPECT_EQ(LinesOf(u"DEVICES"), (std::vector<Text>{u"List of devices attached", u"emulator-5554\tdevice", u""}));
  EXPECT_EQ(calls.back().phase, PhaseEnd);
}

TEST_F(Channel, CommandsNeverInterleave) {
  device.Behave("slow 5\n");
  channel.Enqueue(u"shell settings list global", Record(u"A"));
  channel.Enqueue(u"shell dumpsys -l", {});  // read and discarded
  channel.Enqueue(u"shell pm list packages -3 -e", Record(u"B"));
  // Each start comes on the pass after the previous end; a command without a
  // handler is ended the same way, its child released.
  int starts = 0;
  bool endedLastPass = false;
  auto deadline = std::chrono::steady_clock::now() + 30s;
  while ((!channel.IsIdle()) && std::chrono::steady_clock::now() < deadline) {
    std::size_t queued = channel.QueuedCount(), callsBefore = calls.size();
    ProcessHandle running = channel.RunningProcess();
    bool wasReading =
        channel.State() == PumpState::Reading || channel.State() == PumpState::Finished;
    channel.Pump();
    if (channel.QueuedCount() < queued) {
      EXPECT_TRUE(endedLastPass || starts == 0) << "started in the pass that ended the previous one";
      ++starts;
    }
    bool ended = wasReading && channel.State() == PumpState::Idle;
    if (ended) {
      EXPECT_EQ(IsProcessHandle(running), 0u) << "the child of an ended command is still held";
      EXPECT_EQ(channel.QueuedCount(), queued) << "the next command started with the end call";
      if (starts == 2) {
        EXPECT_EQ(calls.size(), callsBefore) << "a call for a command without handler";
      }
    }
    endedLastPass = ended;
    std::this_thread::sleep_for(1ms);
  }
  EXPECT_EQ(starts, 3);
  std::vector<int> phasesA, phasesB;
  bool sawB = false;
  for (const Call& c : calls) {
    if (c.key == u"B") sawB = true;
    (c.key == u"A" ? phasesA : phasesB).push_back(c.phase);
    EXPECT_FALSE(sawB && c.key == u"A") << "A after B began";
  }
  EXPECT_EQ(phasesA, (std::vector<int>{PhaseBegin, PhaseLine, PhaseEnd}));
  EXPECT_EQ(phasesB, (std::vector<int>{PhaseBegin, PhaseLine, PhaseEnd}));
  EXPECT_EQ(device.Invocations(), "shell settings list global\nshell dumpsys -l\nshell pm list packages -3 -e\n");
}

TEST_F(Channel, RunsAdbInItsOwnFolder) {
  // A child that prints its working directory stands in for adb.
  std::filesystem::path child(KV_CHILD);
  std::filesystem::copy_file(child, device.Folder() / child.filename());
  adbPath = Text((device.Folder() / child.filename()).u16string());
  channel.Enqueue(u"cwd", Record(u"CWD"));
  RunToIdle();
  std::vector<Text> lines = LinesOf(u"CWD");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(std::filesystem::canonical(EncodeUtf8(lines[0])), std::filesystem::canonical(device.Folder()));
}

TEST_F(Channel, ALineLongerThanTheReadAheadDoesNotStallTheQueue) {
  for (std::size_t length : {std::size_t{1024 * 1024 + 1}, std::size_t{8 * 1024 * 1024}}) {
    calls.clear();
    std::string value(length - 4, 'v');  // "big=" and the value
    device.SetDevice("setting global big=" + value + "\n");
    channel.Enqueue(u"shell settings list global", Record(u"LONG"));
    channel.Enqueue(u"devices", Record(u"NEXT"));
    RunToIdle();
    std::vector<Text> lines = LinesOf(u"LONG");
    ASSERT_EQ(lines.size(), 1u) << length;
    EXPECT_EQ(lines[0].size(), length);
    EXPECT_TRUE(lines[0].starts_with(u"big=vvvv"));
    EXPECT_EQ(LinesOf(u"NEXT").size(), 3u) << length;
  }
}

TEST_F(Channel, AWrongAdbPathGivesOneBeginAndOneEnd) {
  adbPath = device.AdbPath() + u"-missing";
  channel.Enqueue(u"devices", Record(u"FIRST"));
  channel.Enqueue(u"devices", Record(u"SECOND"));
  RunToIdle();
  EXPECT_EQ(calls, (std::vector<Call>{{u"FIRST", PhaseBegin, u""},
                                      {u"FIRST", PhaseEnd, u""},
                                      {u"SECOND", PhaseBegin, u""},
                                      {u"SECOND", PhaseEnd, u""}}));
  EXPECT_FALSE(outcome.started);
}

TEST_F(Channel, LastLineWithoutLineFeedAndCrLfOutput) {
  device.Behave("crlf\nnofinalnewline\n");
  channel.Enqueue(u"shell pm list packages -3 -d", Record(u"DISABLED"));
  RunToIdle();
  EXPECT_EQ(LinesOf(u"DISABLED"), std::vector<Text>{u"package:com.example.game"});
}

TEST_F(Channel, ClearingTheQueueLetsTheRunningCommandFinish) {
  device.Behave("slow 20\n");
  channel.Enqueue(u"shell pm list packages -s -e", Record(u"RUNNING"));
  channel.Enqueue(u"shell pm list packages -s -d", Record(u"DROPPED"));
  channel.Pump();
  channel.Pump();
  channel.Clear();
  RunToIdle();
  EXPECT_EQ(LinesOf(u"RUNNING"), (std::vector<Text>{u"package:com.android.settings", u"package:com.android.bluetooth"}));
  EXPECT_EQ(calls.back(), (Call{u"RUNNING", PhaseEnd, u""}));
  EXPECT_TRUE(LinesOf(u"DROPPED").empty());
  EXPECT_EQ(device.Invocations(), "shell pm list packages -s -e\n");
}

TEST_F(Channel, ReportsAdbFailuresWithoutStalling) {
  // An unknown package makes adb write a stack trace larger than a pipe holds.
  channel.Enqueue(u"shell pm enable --user 0 com.example.nothing", Record(u"com.example.nothing"));
  channel.Enqueue(u"shell pm disable-user --user 0 com.example.notes",
                  Record(u"com.example.notes"));
  while (calls.empty() || calls.back().phase != PhaseEnd) {
    channel.Pump();
    std::this_thread::sleep_for(1ms);
  }
  CommandOutcome failed = outcome;
  RunToIdle();
  CommandOutcome seenAtEnd = outcome;
  EXPECT_TRUE(failed.started);
  EXPECT_EQ(failed.exitStatus, 255);
  EXPECT_NE(failed.errorText.find(u"Unknown package: com.example.nothing"), Text::npos);
  EXPECT_TRUE(LinesOf(u"com.example.nothing").empty());
  EXPECT_EQ(LinesOf(u"com.example.notes"),
            std::vector<Text>{u"Package com.example.notes new state: disabled-user"});
  EXPECT_EQ(seenAtEnd.exitStatus, 0);
  EXPECT_NE(device.Device().find("user com.example.notes disabled"), std::string::npos);
}

TEST(PathDirectory, KeepsEverythingUpToTheLastSeparator) {
  EXPECT_EQ(PathDirectory(u"C:\\sdk\\platform-tools\\ADB.exe"), u"C:\\sdk\\platform-tools\\");
  EXPECT_EQ(PathDirectory(u"ADB.exe"), u"");
  EXPECT_EQ(PathDirectory(u""), u"");
  EXPECT_EQ(PathDirectory(u"\"C:\\a b\\adb.exe\""), u"C:\\a b\\");
  EXPECT_EQ(PathDirectory(u"C:/tools/adb.exe"), u"C:/tools/");
  EXPECT_EQ(PathDirectory(u"C:\\a|b\\c.exe"), u"C:\\");
  EXPECT_EQ(PathDirectory(Text(u"C:\\a\\\0b\\c", 9)), u"C:\\a\\");
}

// The main loop waits no millisecond before a step that has work at once.
TEST_F(Channel, StepsAtOnceOnlyWhenNotWaitingForAdb) {
  EXPECT_FALSE(channel.HasStepNow());
  channel.Enqueue(u"devices", Record(u"DEVICES"));
  EXPECT_TRUE(channel.HasStepNow());  // a command to start
  channel.Pump();
  EXPECT_TRUE(AwaitStepNow());  // its child, once started
  channel.Pump();
  EXPECT_TRUE(channel.HasStepNow());  // its begin call
  channel.Pump();
  EXPECT_EQ(channel.State(), PumpState::Reading);
  device.Behave("slow 300\n");  // for the next command
  while (channel.State() == PumpState::Reading) {
    channel.Pump();
    std::this_thread::sleep_for(1ms);
  }
  EXPECT_TRUE(channel.HasStepNow());  // its end call
  channel.Pump();
  EXPECT_FALSE(channel.HasStepNow());
  EXPECT_EQ(calls.back().phase, PhaseEnd);

  // While adb is slow to write its next line, the loop waits.
  channel.Enqueue(u"devices", Record(u"DEVICES"));
  while (LinesOf(u"DEVICES").size() < 4) channel.Pump();
  EXPECT_EQ(channel.State(), PumpState::Reading);
  EXPECT_FALSE(channel.HasStepNow());
}

// The loop may sleep whenever the channel has no step to make: a wake always
// follows before it has one again (adb started, wrote or ended).
TEST_F(Channel, WakesTheLoopBeforeEachStepItWaitsFor) {
  std::mutex lock;
  std::condition_variable woken;
  int wakes = 0;
  channel.wake = [&] {
    std::lock_guard<std::mutex> hold(lock);
    ++wakes;
    woken.notify_all();
  };
  auto wakesSoFar = [&] {
    std::lock_guard<std::mutex> hold(lock);
    return wakes;
  };
  auto awaitWakes = [&](int count) {
    std::unique_lock<std::mutex> hold(lock);
    return woken.wait_for(hold, 30s, [&] { return wakes >= count; });
  };
  device.Behave("slow 20\n");  // lines that come apart
  channel.Enqueue(u"shell pm list packages -s -u", Record(u"FIRST"));
  channel.Enqueue(u"devices", Record(u"SECOND"));
  int sleeps = 0;
  for (;;) {
    int before = wakesSoFar();
    if (channel.IsIdle()) break;
    if (channel.HasStepNow()) {
      channel.Pump();
      continue;
    }
    ++sleeps;
    ASSERT_TRUE(awaitWakes(before + 1)) << "asleep in state " << static_cast<int>(channel.State());
  }
  EXPECT_GT(sleeps, 1);
  EXPECT_EQ(LinesOf(u"FIRST").size(), 4u);
  EXPECT_EQ(LinesOf(u"SECOND").size(), 3u);
}

TEST_F(Channel, ACommandSilentTooLongIsEndedAndTheNextOneRuns) {
  channel.silenceLimit = 300ms;
  device.Behave("slow 5000\n");
  channel.Enqueue(u"shell pm list packages -s -e", Record(u"SILENT"));
  channel.Enqueue(u"devices", Record(u"NEXT"));
  auto start = std::chrono::steady_clock::now();
  while (device.Invocations().empty()) {
    channel.Pump();
    std::this_thread::sleep_for(1ms);
  }
  device.Behave("");  // for the next command
  while (calls.empty() || calls.back() != Call{u"SILENT", PhaseEnd, u""}) {
    channel.Pump();
    std::this_thread::sleep_for(1ms);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);
  EXPECT_EQ(outcome.silentFor, 300ms);
  EXPECT_EQ(outcome.parameters, u"shell pm list packages -s -e");
  EXPECT_LE(LinesOf(u"SILENT").size(), 1u);  // what it wrote before it fell silent
  RunToIdle();
  EXPECT_EQ(LinesOf(u"NEXT").size(), 3u);
  EXPECT_EQ(outcome.silentFor, 0ms);
}

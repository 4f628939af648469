#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "process/process.h"

using namespace kv;
using namespace std::chrono_literals;

namespace {

constexpr std::uint32_t kPiped = KeepHandle | PipeOutput | PipeInput | PipeError | HideWindow;
const Text kChild = AsciiText(KV_CHILD);

struct Runner : ::testing::Test {
  static void SetUpTestSuite() { InitProcessRunner(); }

  ProcessHandle Start(std::string_view parameters, std::uint32_t flags = kPiped) {
    ProcessHandle child = StartProcess(kChild, DecodeUtf8(parameters), u"", flags);
    EXPECT_NE(child, 0u) << parameters;
    return child;
  }

  // Reads as the command pump does: only when bytes wait, until nothing is active.
  static std::vector<Text> ReadAll(ProcessHandle child) {
    std::vector<Text> lines;
    auto deadline = std::chrono::steady_clock::now() + 30s;
    while (ProcessActive(child) && std::chrono::steady_clock::now() < deadline) {
      if (ProcessOutputAvailable(child) > 0) {
        lines.push_back(ReadProcessLine(child));
      } else {
        std::this_thread::sleep_for(1ms);
      }
    }
    CloseProcess(child);
    return lines;
  }

  static void WaitUntilExited(ProcessHandle child) {
    int status = 0;
    for (int i = 0; i < 10000 && !ProcessExitStatus(child, &status); ++i) std::this_thread::sleep_for(1ms);
  }
};

}  // namespace

TEST_F(Runner, ReadsLinesInOrderAndStaysActiveUntilTheLastByte) {
  ProcessHandle child = Start("lines 3");
  WaitUntilExited(child);
  // Exited with unread output: active until the last line is taken.
  EXPECT_EQ(ProcessActive(child), 1);
  EXPECT_GT(ProcessOutputAvailable(child), 0u);
  EXPECT_EQ(ReadProcessLine(child), u"line 1");
  EXPECT_EQ(ReadProcessLine(child), u"line 2");
  EXPECT_EQ(ProcessActive(child), 1);
  EXPECT_EQ(ReadProcessLine(child), u"line 3");
  EXPECT_EQ(ProcessActive(child), 0);
  EXPECT_EQ(ProcessOutputAvailable(child), 0u);
  CloseProcess(child);
}

TEST_F(Runner, DropsCarriageReturnsWherever) {
  EXPECT_EQ(ReadAll(Start("raw a\\r\\nb\\n")), (std::vector<Text>{u"a", u"b"}));
  EXPECT_EQ(ReadAll(Start("raw a\\rb")), (std::vector<Text>{u"ab"}));
  EXPECT_EQ(ReadAll(Start("raw \\n\\r\\nx")), (std::vector<Text>{u"", u"", u"x"}));
}

TEST_F(Runner, ReturnsALongLineWholeAndALastLineWithoutLineFeed) {
  std::vector<Text> lines = ReadAll(Start("long 10000"));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], Text(10000, u'x'));
  EXPECT_EQ(ReadAll(Start("raw first\\nlast")), (std::vector<Text>{u"first", u"last"}));
}

TEST_F(Runner, LinesLongerThanTheReadAheadLimitComplete) {
  for (int length : {1024 * 1024 + 1, 8 * 1024 * 1024}) {
    ProcessHandle child = Start("long " + std::to_string(length));
    // Polled as the pump polls, so a stall fails instead of hanging.
    std::vector<Text> lines;
    auto deadline = std::chrono::steady_clock::now() + 30s;
    while (ProcessActive(child) && std::chrono::steady_clock::now() < deadline) {
      if (ProcessLineAvailable(child)) lines.push_back(ReadProcessLine(child));
      else std::this_thread::sleep_for(1ms);
    }
    CloseProcess(child);
    ASSERT_EQ(lines.size(), 1u) << length;
    EXPECT_EQ(lines[0].size(), static_cast<std::size_t>(length));
    EXPECT_EQ(lines[0].find_first_not_of(u'x'), Text::npos);
    EXPECT_EQ(ReadAll(Start("lines 2")), (std::vector<Text>{u"line 1", u"line 2"}));
  }
}

TEST_F(Runner, ReadsManyLinesThroughTheReadAheadBuffer) {
  // About 110 KiB: the buffer is compacted on the way.
  std::vector<Text> lines = ReadAll(Start("lines 10000"));
  ASSERT_EQ(lines.size(), 10000u);
  EXPECT_EQ(lines[4999], u"line 5000");
  EXPECT_EQ(lines.back(), u"line 10000");
}

TEST_F(Runner, AOneByteLastLineKeepsTheChildActiveUntilRead) {
  ProcessHandle child = Start("raw a\\nb");
  WaitUntilExited(child);
  EXPECT_EQ(ReadProcessLine(child), u"a");
  EXPECT_EQ(ProcessActive(child), 1);
  EXPECT_EQ(ReadProcessLine(child), u"b");
  EXPECT_EQ(ProcessActive(child), 0);
  CloseProcess(child);
}

TEST_F(Runner, LineAvailableNeverPromisesABlockingRead) {
  ProcessHandle child = Start("raw one\\ntwo");
  WaitUntilExited(child);
  EXPECT_EQ(ProcessLineAvailable(child), 1);
  EXPECT_EQ(ReadProcessLine(child), u"one");
  // The end of the data is known, so the partial last line counts.
  EXPECT_EQ(ProcessLineAvailable(child), 1);
  EXPECT_EQ(ReadProcessLine(child), u"two");
  EXPECT_EQ(ProcessLineAvailable(child), 0);
  EXPECT_EQ(ProcessActive(child), 0);
  CloseProcess(child);

  ProcessHandle silent = Start("silent");
  EXPECT_EQ(ProcessLineAvailable(silent), 0);
  KillProcess(silent);
  CloseProcess(silent);
}

TEST_F(Runner, DecodesByTheTextFlags) {
  EXPECT_EQ(ReadAll(Start("raw caf\\xC3\\xA9\\n")), (std::vector<Text>{u"caf\u00E9"}));
  EXPECT_EQ(ReadAll(Start("raw caf\\xE9\\n", kPiped | TextAnsi | TextUtf8)), (std::vector<Text>{u"caf\u00E9"}));
  // UTF-16LE units: "a", CR, LF, "b" and a dangling half unit.
  EXPECT_EQ(ReadAll(Start("raw a\\x00\\r\\x00\\n\\x00b\\x00\\x01", kPiped | TextUtf16)),
            (std::vector<Text>{u"a", u"b"}));
}

TEST_F(Runner, EmptyWorkingDirectoryMeansTheCurrentOne) {
  auto current = std::filesystem::current_path();
  ProcessHandle child = StartProcess(kChild, u"cwd", u"", kPiped);
  std::vector<Text> lines = ReadAll(child);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(std::filesystem::path(EncodeUtf8(lines[0])), current);

  auto temp = std::filesystem::temp_directory_path();
  child = StartProcess(kChild, u"cwd", DecodeUtf8(temp.string()), kPiped);
  lines = ReadAll(child);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(std::filesystem::canonical(EncodeUtf8(lines[0])), std::filesystem::canonical(temp));
}

TEST_F(Runner, PassesParametersUnchanged) {
  EXPECT_EQ(ReadAll(Start("args shell pm \"a b\"")), (std::vector<Text>{u"shell", u"pm", u"a b"}));
}

TEST_F(Runner, TellsLiveHandlesFromOthers) {
  EXPECT_EQ(IsProcessHandle(0), 0u);
  EXPECT_EQ(IsProcessHandle(1), 0u);
  ProcessHandle child = Start("exit 0");
  EXPECT_EQ(IsProcessHandle(child), child);
  CloseProcess(child);
  EXPECT_EQ(IsProcessHandle(child), 0u);
  // Operations on a stale handle do nothing.
  EXPECT_EQ(ProcessActive(child), 0);
  EXPECT_EQ(ReadProcessLine(child), u"");
}

TEST_F(Runner, FailedStartsReturnZero) {
  EXPECT_EQ(StartProcess(u"no-such-program-kv", u"x", u"", kPiped), 0u);
  EXPECT_EQ(StartProcess(u"no-such-program-kv", u"x", u"", HideWindow), 0u);
  EXPECT_EQ(StartProcess(kChild, u"exit 0", u"no-such-folder-kv", kPiped), 0u);
}

#ifdef _WIN32
// A bare program name found only in the working directory: the direct start
// searches other folders and fails, the shell looks there too.
TEST_F(Runner, TheShellFallbackServesOnlyStartsWithoutPipes) {
  std::filesystem::path child(KV_CHILD);
  Text name(child.filename().u16string()), folder(child.parent_path().u16string());
  EXPECT_EQ(StartProcess(name, u"exit 0", folder, HideWindow | WaitForExit), 1u);
  EXPECT_EQ(StartProcess(name, u"exit 0", folder, kPiped), 0u);
  EXPECT_EQ(StartProcess(name, u"exit 0", folder, HideWindow | StartReserved), 0u);
  EXPECT_EQ(StartProcess(name, u"exit 0", folder, KeepHandle | PipeOutput), 0u);
}
#endif

TEST_F(Runner, StartWithoutKeepHandleReturnsOne) {
  EXPECT_EQ(StartProcess(kChild, u"exit 3", u"", HideWindow | WaitForExit), 1u);
  EXPECT_EQ(StartProcess(kChild, u"exit 3", u"", HideWindow | PipeOutput), 1u);
}

TEST_F(Runner, KillsASilentChildAndKeepsItsStatus) {
  ProcessHandle child = Start("silent");
  EXPECT_EQ(ProcessActive(child), 1);
  EXPECT_EQ(ProcessOutputAvailable(child), 0u);
  EXPECT_NE(KillProcess(child), 0);
  WaitUntilExited(child);
  int status = 0;
  EXPECT_EQ(ProcessExitStatus(child, &status), 1);
  EXPECT_EQ(status, -1);
  EXPECT_EQ(ProcessActive(child), 0);
  EXPECT_EQ(IsProcessHandle(child), child);  // the record stays until closed
  CloseProcess(child);
}

TEST_F(Runner, KeepsTheExitStatus) {
  ProcessHandle child = Start("exit 7");
  int status = 0;
  EXPECT_EQ(ReadAll(child).size(), 0u);
  child = Start("exit 7");
  WaitUntilExited(child);
  EXPECT_EQ(ProcessExitStatus(child, &status), 1);
  EXPECT_EQ(status, 7);
  CloseProcess(child);
}

TEST_F(Runner, DrainsStandardErrorSoTheChildNeverBlocks) {
  // Far more than any pipe holds, written before the first output byte.
  ProcessHandle child = Start("stderr 262144");
  std::vector<Text> lines;
  auto deadline = std::chrono::steady_clock::now() + 30s;
  while (ProcessActive(child) && std::chrono::steady_clock::now() < deadline) {
    if (ProcessOutputAvailable(child) > 0) lines.push_back(ReadProcessLine(child));
    else std::this_thread::sleep_for(1ms);
  }
  EXPECT_EQ(lines, std::vector<Text>{u"done"});
  Text errors = ProcessErrorText(child);
  EXPECT_LE(errors.size(), 4096u + 100);  // the head ends at a whole line
  EXPECT_TRUE(errors.ends_with(u"last error line\n")) << EncodeUtf8(errors.substr(errors.size() - 40));
  EXPECT_TRUE(errors.starts_with(u"\tat com.example.Trace.frame(Trace.java:42)\n"));
  EXPECT_NE(errors.find(u"\n...\n\tat com.example.Trace.frame(Trace.java:42)\n"), Text::npos);
  CloseProcess(child);

  // Also for a caller that only asks whether the child is still active.
  child = Start("stderr 262144");
  int status = 0;
  deadline = std::chrono::steady_clock::now() + 10s;
  while (!ProcessExitStatus(child, &status) && std::chrono::steady_clock::now() < deadline) {
    EXPECT_EQ(ProcessActive(child), 1);
    std::this_thread::sleep_for(1ms);
  }
  EXPECT_EQ(ProcessExitStatus(child, &status), 1) << "blocked on its error pipe";
  EXPECT_EQ(ReadProcessLine(child), u"done");
  CloseProcess(child);
}

TEST_F(Runner, AWatchWakesWhenTheChildWritesOrEnds) {
  ProcessHandle child = Start("sleep 150");
  OutputWatchPtr watch = WatchProcessOutput(child);
  ASSERT_TRUE(watch);
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(WaitForOutputChange(*watch, 10000), WatchResult::Changed);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms);
  EXPECT_EQ(ReadAll(child), std::vector<Text>{u"awake"});
}

TEST_F(Runner, AWatchSleepsThroughUnreadOutputUntilCancelled) {
  ProcessHandle child = Start("linger");
  OutputWatchPtr watch = WatchProcessOutput(child);
  ASSERT_TRUE(watch);
  for (int i = 0; i < 10000 && !ProcessLineAvailable(child); ++i) std::this_thread::sleep_for(1ms);
  ASSERT_EQ(ProcessLineAvailable(child), 1);
  WaitForOutputChange(*watch, 0);  // takes the line's news, where a pipe can be watched
  EXPECT_EQ(WaitForOutputChange(*watch, 50), WatchResult::TimedOut);

  std::thread canceller([&] {
    std::this_thread::sleep_for(30ms);
    CancelOutputWatch(*watch);
  });
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(WaitForOutputChange(*watch, 20000), WatchResult::Cancelled);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
  canceller.join();
  EXPECT_EQ(WaitForOutputChange(*watch, 20000), WatchResult::Cancelled);  // at once
  KillProcess(child);
  CloseProcess(child);
}

TEST_F(Runner, OnlyAChildWithAnOutputPipeCanBeWatched) {
  ProcessHandle child = Start("exit 0", KeepHandle | HideWindow);
  EXPECT_FALSE(WatchProcessOutput(child));
  WaitUntilExited(child);
  CloseProcess(child);
  EXPECT_FALSE(WatchProcessOutput(child));  // no longer a live handle
}

TEST_F(Runner, KnowsItsOwnExecutable) {
  Text path = OwnExecutablePath();
  EXPECT_NE(path.find(u"process_tests"), Text::npos);
  EXPECT_FALSE(path.starts_with(u"\\\\?\\"));
}

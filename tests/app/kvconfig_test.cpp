// The kvconfig tool, run as users run it.
#include <gtest/gtest.h>

#include <chrono>
#include <initializer_list>
#include <thread>
#include <vector>

#include "config_test_support.h"
#include "process/process.h"

using namespace kv;

namespace {

struct ToolRun {
  int status = -1;
  std::vector<std::string> lines;
};

struct Kvconfig : ConfigFileTest {
  static void SetUpTestSuite() {
    ConfigFileTest::SetUpTestSuite();
    InitProcessRunner();
  }

  // Runs the tool with each argument in double quotes.
  static ToolRun Run(std::initializer_list<TextView> arguments) {
    constexpr std::uint32_t kPiped = KeepHandle | PipeOutput | PipeInput | PipeError | HideWindow;
    Text line;
    for (TextView argument : arguments) {
      if (!line.empty()) line += u' ';
      line.append(u"\"").append(argument).append(u"\"");
    }
    ToolRun run;
    ProcessHandle child = StartProcess(AsciiText(KV_KVCONFIG), line, u"", kPiped);
    EXPECT_NE(child, 0u);
    if (!child) return run;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (ProcessActive(child) && std::chrono::steady_clock::now() < deadline) {
      if (ProcessOutputAvailable(child) > 0) {
        run.lines.push_back(EncodeUtf8(ReadProcessLine(child)));
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    }
    ProcessExitStatus(child, &run.status);
    CloseProcess(child);
    return run;
  }
};

using Lines = std::vector<std::string>;

}  // namespace

TEST_F(Kvconfig, SetAdbPathWritesAFileThatShowAndTheProgramRead) {
  ToolRun set = Run({u"set-adb-path", path, u"C:\\adb\\ADB.exe"});
  EXPECT_EQ(set.status, 0);
  EXPECT_EQ(set.lines, Lines{});
  Config record;
  EXPECT_EQ(LoadConfig(record, path, true), ConfigDone);
  EXPECT_EQ(record, (Config{1, u"C:\\adb\\ADB.exe"}));

  ToolRun show = Run({u"show", path});
  EXPECT_EQ(show.status, 0);
  EXPECT_EQ(show.lines, (Lines{"stored length: 70", "xml: " + std::string(kGoldenXml),
                               "isValid: 1", "ADBPath: C:\\adb\\ADB.exe"}));
}

TEST_F(Kvconfig, ShowCountsThePaddingAndTellsWhyAFileDoesNotLoad) {
  std::string padded = "<CONFIG><ADBPath>A.exe</ADBPath></CONFIG>";
  padded.resize(64);
  WriteBytes(file, PackedFile(padded));
  EXPECT_EQ(Run({u"show", path}).lines,
            (Lines{"stored length: 64",
                   "xml: <CONFIG><ADBPath>A.exe</ADBPath></CONFIG> (then 23 zero bytes)",
                   "isValid: 0", "ADBPath: A.exe"}));

  WriteBytes(file, PackedFile(kGoldenXml, 71));
  ToolRun wrongLength = Run({u"show", path});
  EXPECT_EQ(wrongLength.status, 1);
  EXPECT_EQ(wrongLength.lines,
            (Lines{"stored length: 71",
                   "load result 2: the data does not inflate to exactly the stored length"}));

  WriteBytes(file, PackedFile(std::string(64, '\0')));
  Lines noXml = Run({u"show", path}).lines;
  ASSERT_EQ(noXml.size(), 3u);
  EXPECT_EQ(noXml[0], "stored length: 64");
  EXPECT_EQ(noXml[1], "xml:  (then 64 zero bytes)");
  // Then the parser's own words.
  EXPECT_TRUE(noXml[2].starts_with("load result 1: no XML main element (")) << noXml[2];

  std::filesystem::remove(file);
  EXPECT_EQ(Run({u"show", path}).lines, Lines{"load result 3: no such file"});
}

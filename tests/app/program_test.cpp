// The program's whole life on the headless toolkit: start-up with and without
// a configuration file, the main window, the loop and shutdown.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/adb_location.h"
#include "app/config_file.h"
#include "app/program.h"
#include "fixtures/fake_device.h"
#include "storage/data_file.h"
#include "storage/file_paths.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/headless/controls.h"
#include "toolkit/headless/driver.h"
#include "toolkit/top_windows.h"

using namespace kv;
using namespace std::chrono_literals;

namespace {

Text ConfigPathIn(const test::FakeDevice& device) {
  return Text((device.Folder() / "kestrelvane.cfg").u16string());
}

// Starts the program with a saved configuration that holds adbPath.
bool StartWithConfig(Program& program, const Text& adbPath, int isValid) {
  InitFileLibrary();  // the program sets it up only as it starts
  Config config;
  config.isValid = isValid;
  config.ADBPath = adbPath;
  if (SaveConfig(config, program.configPath, true, false) != ConfigDone) return false;
  return program.Start();
}

bool WaitFor(const test::FakeDevice& device, const std::string& logged) {
  for (int i = 0; i < 500; ++i) {
    if (device.Invocations().find(logged) != std::string::npos) return true;
    std::this_thread::sleep_for(10ms);
  }
  return false;
}

}  // namespace

TEST(Program, StartsRunsAndShutsDown) {
  test::FakeDevice device("program");
  Text configPath = ConfigPathIn(device);
  Program program(configPath);

  // 1. First start without a configuration file: adb beside the program.
  ASSERT_TRUE(program.Start());
  EXPECT_EQ(program.config.isValid, 1);
  EXPECT_EQ(program.config.ADBPath, PathDirectory(OwnExecutablePath()) + Text(kAdbFileName));

  // 2. The window and its gadget table.
  const MainGadgets& g = program.g;
  EXPECT_EQ(GetWindowCaption(g.window), u"Kestrelvane [v1.0.0.1]");
  for (int number : {g.cmdCWrite, g.cmdGenReload, g.lblWarn, g.lstDInfo, g.panMain, g.panD,
                     g.txtGenStatus, g.txtUSelected}) {
    EXPECT_NE(number, -1);
  }
  EXPECT_EQ(ReadGadgetColor(g.lblWarn, KV_FrontColor), 0x0000FF);
  EXPECT_EQ(headless::TipOf(g.cmdGenReload), u"Reload all data on all tabs");
  EXPECT_EQ(headless::TipOf(g.cmdGenCopy), u"Copy currently selected list to clipboard");
  EXPECT_TRUE(headless::FireTimer(g.window, kPumpTimer));

  // 3. A command still running when the window closes is killed and released
  // before the adb server is stopped; the path in use is saved.
  program.config.ADBPath = device.AdbPath();
  device.Behave("slow 300\n");
  program.channel.Enqueue(u"shell settings list global", {});
  while (program.channel.State() != PumpState::Reading) program.channel.Pump();
  ProcessHandle running = program.channel.RunningProcess();
  ASSERT_NE(IsProcessHandle(running), 0u);
  ASSERT_TRUE(WaitFor(device, "shell settings list global"));
  headless::RequestClose(g.window);
  program.RunMainLoop();
  program.End();
  EXPECT_EQ(IsProcessHandle(running), 0u);
  EXPECT_EQ(program.channel.State(), PumpState::Idle);
  EXPECT_TRUE(WaitFor(device, "kill-server"));
  EXPECT_EQ(device.Invocations(), "shell settings list global\nkill-server\n");
  // Left alone, the slow command would have ended long before now.
  std::this_thread::sleep_for(1s);
  EXPECT_EQ(device.Finished(), "kill-server\n");

  Config saved;
  EXPECT_EQ(LoadConfig(saved, configPath, true), ConfigDone);
  EXPECT_EQ(saved.ADBPath, device.AdbPath());

  // 4. The next start finds it.
  Program next(configPath);
  ASSERT_TRUE(next.Start());
  EXPECT_EQ(next.config.ADBPath, device.AdbPath());
  next.End();
}

TEST(Program, StopsTheAdbServerEvenWhenAdbNeverRan) {
  test::FakeDevice device("program-idle");
  Program program(ConfigPathIn(device));
  ASSERT_TRUE(StartWithConfig(program, device.AdbPath(), 1));
  EXPECT_EQ(program.config.ADBPath, device.AdbPath());
  headless::RequestClose(program.g.window);
  program.RunMainLoop();
  program.End();
  EXPECT_TRUE(WaitFor(device, "kill-server"));
  EXPECT_EQ(device.Invocations(), "kill-server\n");
}

TEST(Program, AnInvalidConfigurationGivesTheDefaultPath) {
  test::FakeDevice device("program-invalid");
  Program program(ConfigPathIn(device));
  ASSERT_TRUE(StartWithConfig(program, u"C:\\elsewhere\\adb.exe", 0));
  EXPECT_EQ(program.config.isValid, 1);
  EXPECT_EQ(program.config.ADBPath, PathDirectory(OwnExecutablePath()) + Text(kAdbFileName));
  program.End();
}

TEST(Program, ShutdownReleasesEveryLibrary) {
  test::FakeDevice device("program-release");
  Program program(ConfigPathIn(device));
  ASSERT_TRUE(program.Start());
  int window = program.g.window, reload = program.g.cmdGenReload;
  // A binding and an event of no window: closing windows leaves them alone.
  static int handled = 0;
  handled = 0;
  BindEventHandler(EV_MENU, [] { ++handled; }, -1, -1, -1);
  QueueEvent(EV_MENU, 1, 0, 0);
  EXPECT_EQ(handled, 1);  // bound handlers run as the event is queued
  handled = 0;
  program.End();
  EXPECT_EQ(GetWindowHandle(window), Handle{0});
  EXPECT_EQ(GetGadgetHandle(reload), Handle{0});
  EXPECT_TRUE(headless::TopWindows().empty());
  EXPECT_EQ(WaitForEvent(0), 0) << "the queued event outlived the event library";
  QueueEvent(EV_MENU, 2, 0, 0);
  EXPECT_EQ(handled, 0) << "the binding outlived the event library";
}

// The program's whole life on the headless toolkit: start-up with and without
// a configuration file, the main window, the loop and shutdown.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/command_queue.h"
#include "app/config_file.h"
#include "app/config_record.h"
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

// Starts the program with a saved configuration that holds adbPath.
bool StartWithConfig(const Text& adbPath, int isValid) {
  InitFileLibrary();  // the program sets it up only as it starts
  Config config;
  config.isValid = isValid;
  config.ADBPath = adbPath;
  if (SaveConfig(config, ConfigFilePath(), true, false) != ConfigDone) return false;
  return StartProgram();
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
  Text configPath = ConfigFilePath();
  DeleteFileByPath(configPath, DeleteForce);

  // 1. First start without a configuration file: adb beside the program.
  ASSERT_TRUE(StartProgram());
  EXPECT_EQ(CONFIG.isValid, 1);
  EXPECT_EQ(CONFIG.ADBPath, PathDirectory(OwnExecutablePath()) + u"ADB.exe");

  // 2. The window and its gadget table.
  EXPECT_EQ(GetWindowCaption(GADGETS.window), u"Kestrelvane [v1.0.0.1]");
  for (int number : {GADGETS.cmdCWrite, GADGETS.cmdGenReload, GADGETS.lblWarn, GADGETS.lstDInfo,
                     GADGETS.panMain, GADGETS.panD, GADGETS.txtGenStatus, GADGETS.txtUSelected}) {
    EXPECT_NE(number, -1);
  }
  EXPECT_EQ(ReadGadgetColor(GADGETS.lblWarn, KV_FrontColor), 0x0000FF);
  EXPECT_EQ(headless::TipOf(GADGETS.cmdGenReload), u"Reload all data on all tabs");
  EXPECT_EQ(headless::TipOf(GADGETS.cmdGenCopy), u"Copy currently selected list to clipboard");
  EXPECT_TRUE(headless::FireTimer(GADGETS.window, kPumpTimer));

  // 3. A command still running when the window closes is killed and released
  // before the adb server is stopped; the path in use is saved.
  CONFIG.ADBPath = device.AdbPath();
  device.Behave("slow 300\n");
  EnqueueAdbCommand(u"shell settings list global", nullptr, u"SETTINGS_GLOBAL");
  while (PumpState() != PumpReading) PumpCommandQueue();
  ProcessHandle running = RunningCommandProcess();
  ASSERT_NE(IsProcessHandle(running), 0u);
  ASSERT_TRUE(WaitFor(device, "shell settings list global"));
  headless::RequestClose(GADGETS.window);
  RunMainLoop();
  EndProgram();
  EXPECT_EQ(IsProcessHandle(running), 0u);
  EXPECT_EQ(PumpState(), PumpIdle);
  EXPECT_TRUE(WaitFor(device, "kill-server"));
  EXPECT_EQ(device.Invocations(), "shell settings list global\nkill-server\n");
  // Left alone, the slow command would have ended long before now.
  std::this_thread::sleep_for(1s);
  EXPECT_EQ(device.Finished(), "kill-server\n");

  Config saved;
  EXPECT_EQ(LoadConfig(saved, configPath, true), ConfigDone);
  EXPECT_EQ(saved.ADBPath, device.AdbPath());

  // 4. The next start finds it.
  ASSERT_TRUE(StartProgram());
  EXPECT_EQ(CONFIG.ADBPath, device.AdbPath());
  EndProgram();
  EXPECT_TRUE(DeleteFileByPath(configPath, DeleteForce));
}

TEST(Program, StopsTheAdbServerEvenWhenAdbNeverRan) {
  test::FakeDevice device("program-idle");
  ASSERT_TRUE(StartWithConfig(device.AdbPath(), 1));
  EXPECT_EQ(CONFIG.ADBPath, device.AdbPath());
  headless::RequestClose(GADGETS.window);
  RunMainLoop();
  EndProgram();
  EXPECT_TRUE(WaitFor(device, "kill-server"));
  EXPECT_EQ(device.Invocations(), "kill-server\n");
  EXPECT_TRUE(DeleteFileByPath(ConfigFilePath(), DeleteForce));
}

TEST(Program, AnInvalidConfigurationGivesTheDefaultPath) {
  ASSERT_TRUE(StartWithConfig(u"C:\\elsewhere\\adb.exe", 0));
  EXPECT_EQ(CONFIG.isValid, 1);
  EXPECT_EQ(CONFIG.ADBPath, PathDirectory(OwnExecutablePath()) + u"ADB.exe");
  EndProgram();
  EXPECT_TRUE(DeleteFileByPath(ConfigFilePath(), DeleteForce));
}

TEST(Program, ShutdownReleasesEveryLibrary) {
  ASSERT_TRUE(StartProgram());
  int window = GADGETS.window, reload = GADGETS.cmdGenReload;
  // A binding and an event of no window: closing windows leaves them alone.
  static int handled = 0;
  handled = 0;
  BindEventHandler(EV_MENU, [] { ++handled; }, -1, -1, -1);
  QueueEvent(EV_MENU, 1, 0, 0);
  EXPECT_EQ(handled, 1);  // bound handlers run as the event is queued
  handled = 0;
  EndProgram();
  EXPECT_EQ(GetWindowHandle(window), Handle{0});
  EXPECT_EQ(GetGadgetHandle(reload), Handle{0});
  EXPECT_TRUE(headless::TopWindows().empty());
  EXPECT_EQ(WaitForEvent(0), 0) << "the queued event outlived the event library";
  QueueEvent(EV_MENU, 2, 0, 0);
  EXPECT_EQ(handled, 0) << "the binding outlived the event library";
  EXPECT_TRUE(DeleteFileByPath(ConfigFilePath(), DeleteForce));
}

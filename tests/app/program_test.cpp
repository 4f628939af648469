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
#include "storage/file_paths.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/headless/driver.h"
#include "toolkit/windows.h"

using namespace kv;
using namespace std::chrono_literals;

namespace {

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

  // 3. A command still running when the window closes is killed before the
  // adb server is stopped; the path in use is saved.
  CONFIG.ADBPath = device.AdbPath();
  device.Behave("slow 200\n");
  EnqueueAdbCommand(u"shell settings list global", nullptr, u"SETTINGS_GLOBAL");
  while (PumpState() != PumpReading) PumpCommandQueue();
  ASSERT_TRUE(WaitFor(device, "shell settings list global"));
  headless::RequestClose(GADGETS.window);
  RunMainLoop();
  EndProgram();
  EXPECT_TRUE(WaitFor(device, "kill-server"));
  EXPECT_EQ(device.Invocations(), "shell settings list global\nkill-server\n");

  Config saved;
  EXPECT_EQ(LoadConfig(saved, configPath, true), ConfigDone);
  EXPECT_EQ(saved.ADBPath, device.AdbPath());

  // 4. The next start finds it.
  ASSERT_TRUE(StartProgram());
  EXPECT_EQ(CONFIG.ADBPath, device.AdbPath());
  EndProgram();
  EXPECT_TRUE(DeleteFileByPath(configPath, DeleteForce));
}

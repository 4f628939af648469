// Several devices attached: the SETTINGS tab's device list, filled by every
// Reload, and the chosen device named by every command but kill-server.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/config_file.h"
#include "app_fixture.h"
#include "storage/data_file.h"
#include "toolkit/requesters.h"

using namespace kv;
using namespace kv::test;

namespace {

constexpr char kDevice[] =
    "user com.notes enabled\n"
    "user com.maps disabled\n"
    "setting global wifi_on=1\n";

using Entries = std::vector<Text>;

struct Devices : UserFlowTest {
  void SetUp() override {
    UserFlowTest::SetUp();
    device.SetDevice(kDevice);
  }
};

TEST_F(Devices, TwoAndNoneChosenShowTheSettingsTabWithBothListed) {
  device.Behave("twodevices\n");
  Reload();
  EXPECT_EQ(Status(), u"adb: more than one device/emulator");
  EXPECT_EQ(ReadGadgetState(g.panMain), TabSettings);
  EXPECT_EQ(ReadGadgetText(g.txtOADBPath), device.AdbPath());
  EXPECT_EQ(Items(g.cmbODevice),
            (Entries{u"the only device", u"emulator-5554  device", u"emulator-5556  device"}));
  EXPECT_EQ(ReadGadgetState(g.cmbODevice), 0);
  EXPECT_EQ(Invocations().size(), 12u);
  EXPECT_EQ(Invocations()[0], "devices");
}

TEST_F(Devices, TheChosenOneIsNamedByEveryLaterCommand) {
  device.Behave("twodevices\n");
  Reload();
  user::ChooseItem(g.cmbODevice, 2);
  EXPECT_EQ(program.config.DeviceSerial, u"emulator-5556");

  Reload();
  std::vector<std::string> reload = Invocations();
  ASSERT_EQ(reload.size(), 24u);
  reload.erase(reload.begin(), reload.begin() + 12);
  EXPECT_EQ(reload[0], "-s emulator-5556 devices");
  EXPECT_EQ(reload[11], "-s emulator-5556 shell pm list packages -s -u");
  for (const std::string& invocation : reload) {
    EXPECT_EQ(invocation.rfind("-s emulator-5556 ", 0), 0u) << invocation;
  }
  EXPECT_EQ(Status(), u"");
  EXPECT_EQ(ReadGadgetItemText(g.panMain, TabUser), u"USER [2]");
  EXPECT_EQ(ReadGadgetState(g.cmbODevice), 2) << "still chosen after the list was filled again";

  Pick(TabUser, g.panU, TabEnabled, g.lstUEnabled, u"com.notes");
  user::AnswerNextMessageBox(KV_MessageBox_AnswerYes);
  user::ClickButton(g.cmdUDisable);
  RunUntilIdle();
  EXPECT_EQ(Invocations().back(), "-s emulator-5556 shell pm disable-user --user 0 com.notes");

  // The first entry names no device again.
  user::ChooseItem(g.cmbODevice, 0);
  EXPECT_EQ(program.config.DeviceSerial, u"");
  device.Behave("");
  Reload();
  ASSERT_EQ(Invocations().size(), 37u);
  EXPECT_EQ(Invocations()[25], "devices");
}

TEST_F(Devices, AnUnauthorizedDeviceShowsItsState) {
  device.Behave("unauthorized\n");
  Reload();
  EXPECT_EQ(Items(g.cmbODevice), (Entries{u"the only device", u"R58M41XYZ2A  unauthorized"}));
  EXPECT_EQ(Status(), u"error: device unauthorized.");
  EXPECT_NE(ReadGadgetState(g.panMain), TabSettings) << "one device needs no choice";
}

TEST_F(Devices, AChosenDeviceThatIsGoneStaysChosen) {
  device.Behave("twodevices\n");
  Reload();
  user::ChooseItem(g.cmbODevice, 2);
  device.Behave("");  // emulator-5556 went away
  Reload();
  EXPECT_EQ(Items(g.cmbODevice),
            (Entries{u"the only device", u"emulator-5554  device", u"emulator-5556"}));
  EXPECT_EQ(ReadGadgetState(g.cmbODevice), 2);
  EXPECT_EQ(Status(), u"adb: device 'emulator-5556' not found");
}

// Whole lives of the program with a device in its configuration file.
Text SaveChoice(const FakeDevice& device, const Text& serial) {
  Text configPath((device.Folder() / "kestrelvane.cfg").u16string());
  InitFileLibrary();  // the program sets it up only as it starts
  EXPECT_EQ(SaveConfig(Config{1, device.AdbPath(), serial}, configPath, true, false), ConfigDone);
  return configPath;
}

bool WaitFor(const FakeDevice& device, const std::string& logged) {
  for (int i = 0; i < 500; ++i) {
    if (device.Invocations().find(logged) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

TEST(DeviceChoice, IsKeptBetweenRunsAndKillServerNamesNoDevice) {
  FakeDevice device("device-choice-kept");
  device.Behave("twodevices\n");
  Program program(SaveChoice(device, u"emulator-5556"));
  ASSERT_TRUE(program.Start());
  EXPECT_EQ(Items(program.g.cmbODevice), (Entries{u"the only device", u"emulator-5556"}));
  EXPECT_EQ(ReadGadgetState(program.g.cmbODevice), 1);
  headless::ClickButton(program.g.cmdGenReload);
  while (!program.channel.IsIdle()) program.RunLoopPass(kLoopWaitMs);
  headless::RequestClose(program.g.window);
  program.RunMainLoop();
  program.End();
  ASSERT_TRUE(WaitFor(device, "kill-server"));
  std::string log = device.Invocations();
  EXPECT_EQ(log.substr(log.size() - 13), "\nkill-server\n");
  EXPECT_EQ(log.find("-s emulator-5556 devices\n"), 0u);

  Config saved;
  EXPECT_EQ(LoadConfig(saved, program.configPath, true), ConfigDone);
  EXPECT_EQ(saved.DeviceSerial, u"emulator-5556");
}

TEST(DeviceChoice, AConfiguredSerialThatIsNoSerialIsForgotten) {
  FakeDevice device("device-choice-damaged");
  Program program(SaveChoice(device, u"x; reboot"));
  ASSERT_TRUE(program.Start());
  EXPECT_EQ(program.config.DeviceSerial, u"");
  EXPECT_EQ(Items(program.g.cmbODevice), (Entries{u"the only device"}));
  headless::ClickButton(program.g.cmdGenReload);
  while (!program.channel.IsIdle()) program.RunLoopPass(kLoopWaitMs);
  EXPECT_EQ(device.Invocations().find("devices\n"), 0u);
  program.End();
}

}  // namespace

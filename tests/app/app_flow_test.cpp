// Reload, the package actions, picks, Copy list and the settings tab, driven
// as a user would on the headless toolkit against the fake adb.
#include <gtest/gtest.h>

#include "app/list_names.h"
#include "app/package_actions.h"
#include "app_fixture.h"
#include "toolkit/requesters.h"

using namespace kv;
using namespace kv::test;

namespace {

constexpr char kDevice[] =
    "user com.b enabled\n"
    "user Com.A enabled\n"
    "user com.a enabled\n"
    "user com.zeta disabled\n"
    "user com.eta disabled\n"
    "system com.android.settings enabled\n"
    "system com.android.Bluetooth enabled\n"
    "system com.android.printspooler disabled\n"
    "system com.android.egg uninstalled\n"
    "system com.android.dreams uninstalled\n"
    "library android.test.runner\n"
    "library Android.hidl.base-V1.0-java\n"
    "module com.android.tethering\n"
    "module com.android.adbd\n"
    "devinfo activity\n"
    "devinfo battery\n"
    "setting global wifi_on=1\n"
    "setting global adb_enabled=1\n"
    "setting secure android_id=0123456789abcdef\n"
    "setting system screen_brightness=102\n"
    "setting system ringtone=caf\xc3\xa9.ogg\n";

const std::vector<std::string> kReloadQueries = {
    "devices",
    "shell pm list libraries",
    "shell pm get-moduleinfo --installed",
    "shell dumpsys -l",
    "shell settings list global",
    "shell settings list secure",
    "shell settings list system",
    "shell pm list packages -3 -e",
    "shell pm list packages -3 -d",
    "shell pm list packages -s -e",
    "shell pm list packages -s -d",
    "shell pm list packages -s -u",
};

struct AppFlow : UserFlowTest {
  void SetUp() override {
    UserFlowTest::SetUp();
    device.SetDevice(kDevice);
  }
};

TEST_F(AppFlow, ReloadFillsEveryTabSortedAndCounted) {
  Reload();
  EXPECT_EQ(Invocations(), kReloadQueries);
  EXPECT_EQ(Items(g.lstUEnabled), (std::vector<Text>{u"Com.A", u"com.a", u"com.b"}));
  EXPECT_EQ(Items(g.lstUDisabled), (std::vector<Text>{u"com.eta", u"com.zeta"}));
  EXPECT_EQ(Items(g.lstSEnabled),
            (std::vector<Text>{u"com.android.Bluetooth", u"com.android.settings"}));
  EXPECT_EQ(Items(g.lstSDisabled), (std::vector<Text>{u"com.android.printspooler"}));
  // Only what the enabled and disabled queries did not list.
  EXPECT_EQ(Items(g.lstSUninstalled),
            (std::vector<Text>{u"com.android.dreams", u"com.android.egg"}));
  EXPECT_EQ(Items(g.lstSLibraries), (std::vector<Text>{u"library:Android.hidl.base-V1.0-java",
                                                       u"library:android.test.runner"}));
  EXPECT_EQ(GadgetItemCount(g.lstSModules), 2);
  EXPECT_EQ(Items(g.lstCGlobal), (std::vector<Text>{u"adb_enabled=1", u"wifi_on=1"}));
  EXPECT_EQ(Items(g.lstCSystem),
            (std::vector<Text>{u"ringtone=caf\u00e9.ogg", u"screen_brightness=102"}));
  // The devices output then the services, in output order, empty line kept.
  EXPECT_EQ(Items(g.lstDInfo),
            (std::vector<Text>{u"List of devices attached", u"emulator-5554\tdevice", u"",
                               u"Currently running services:", u"  activity", u"  battery"}));

  EXPECT_EQ(Title(g.panMain, 0), u"USER [5]");
  EXPECT_EQ(Title(g.panMain, 1), u"SYSTEM [5]");
  EXPECT_EQ(Title(g.panMain, 2), u"CONFIG");
  EXPECT_EQ(Title(g.panU, 0), u"ENABLED [3]");
  EXPECT_EQ(Title(g.panU, 1), u"DISABLED [2]");
  EXPECT_EQ(Title(g.panS, 0), u"ENABLED [2]");
  EXPECT_EQ(Title(g.panS, 1), u"DISABLED [1]");
  EXPECT_EQ(Title(g.panS, 2), u"UNINSTALLED [2]");
  EXPECT_EQ(Title(g.panS, 3), u"MODULES");
  // Module info exits with 1 on success: not a failure.
  EXPECT_EQ(Status(), u"");

  // A second Reload replaces, not appends.
  Reload();
  EXPECT_EQ(GadgetItemCount(g.lstUEnabled), 3);
  EXPECT_EQ(GadgetItemCount(g.lstDInfo), 6);
}

TEST_F(AppFlow, ReloadPressedAgainDropsWhatHasNotStarted) {
  device.Behave("slow 20\n");
  user::ClickButton(g.cmdGenReload);
  while (Invocations().empty()) program.RunLoopPass(kLoopWaitMs);
  user::ClickButton(g.cmdGenReload);
  RunUntilIdle();
  std::vector<std::string> expected = {"devices"};
  expected.insert(expected.end(), kReloadQueries.begin(), kReloadQueries.end());
  EXPECT_EQ(Invocations(), expected);
  EXPECT_EQ(Title(g.panU, 0), u"ENABLED [3]");
}


// A long text reaches the editor while adb still writes it, so no single pass
// lays it all out; in the end it stands whole and in output order.
TEST_F(AppFlow, DeviceInfoFillsWhileTheServicesAreStillPrinted) {
  std::string many = kDevice;
  std::vector<Text> services;
  for (int i = 0; i < 150; ++i) {
    std::string name = "service" + std::to_string(i);
    many += "devinfo " + name + "\n";
    services.push_back(u"  " + AsciiText(name));
  }
  device.SetDevice(many);
  device.Behave("slow 1\n");
  user::ClickButton(g.cmdGenReload);
  int shownWhileReading = 0;
  while (!program.channel.IsIdle()) {
    program.RunLoopPass(kLoopWaitMs);
    bool readingServices = program.channel.QueuedCount() == kReloadQueries.size() - 4 &&
                           program.channel.State() == PumpState::Reading;
    if (readingServices) shownWhileReading = GadgetItemCount(g.lstDInfo);
  }
  EXPECT_GT(shownWhileReading, 6) << "services shown before their command ended";
  std::vector<Text> lines = Items(g.lstDInfo);
  ASSERT_EQ(lines.size(), 6 + 150u);
  EXPECT_EQ(lines[3], u"Currently running services:");
  EXPECT_EQ(lines[5], u"  battery");
  EXPECT_EQ(std::vector<Text>(lines.begin() + 6, lines.end()), services);
}
TEST_F(AppFlow, MissingAdbShowsTheSettingsTab) {
  program.config.ADBPath = device.AdbPath() + u".missing";
  user::ClickButton(g.cmdGenReload);
  EXPECT_EQ(Status(), u"ADB.exe not found");
  EXPECT_EQ(ReadGadgetState(g.panMain), 4);
  EXPECT_EQ(ReadGadgetText(g.txtOADBPath), u"");  // the program's tab change
  user::ChooseTab(g.panMain, 0);
  EXPECT_EQ(ReadGadgetText(g.txtOADBPath), device.AdbPath() + u".missing");

  program.config.ADBPath = PathDirectory(device.AdbPath());  // a folder
  user::ClickButton(g.cmdGenReload);
  EXPECT_EQ(Status(), u"ADB.exe not found");
  EXPECT_EQ(ReadGadgetState(g.panMain), 4);
  RunUntilIdle();
  EXPECT_TRUE(Invocations().empty());
}

TEST_F(AppFlow, AdbFailuresAreShownInItsOwnWords) {
  const std::pair<const char*, const char16_t*> cases[] = {
      {"nodevice", u"adb: no devices/emulators found"},
      {"unauthorized", u"error: device unauthorized."},
      {"twodevices", u"adb: more than one device/emulator"},
      {"noserver", u"error: cannot connect to daemon"},
  };
  for (auto [behaviour, words] : cases) {
    device.Behave(std::string(behaviour) + "\n");
    Reload();
    EXPECT_EQ(Status(), words) << behaviour;
    EXPECT_EQ(Title(g.panMain, 0), u"USER [0]") << behaviour;
  }
  // A path that names a file that is no program.
  device.Behave("");
  Text notAProgram = PathDirectory(device.AdbPath()) + u"device.txt";
  program.config.ADBPath = notAProgram;
  Reload();
  EXPECT_EQ(Status(), u"ADB.exe could not be started: " + notAProgram);
}

TEST_F(AppFlow, DisableAfterConfirmationMovesThePackage) {
  Reload();
  Pick(0, g.panU, 0, g.lstUEnabled, u"com.b");
  EXPECT_EQ(ReadGadgetText(g.txtUSelected), u"com.b");
  for (int b : {g.cmdUUninstall, g.cmdUDump, g.cmdUDisable, g.cmdUEnable, g.cmdGenCopy}) {
    EXPECT_TRUE(user::IsEnabled(GetGadgetHandle(b)));
  }

  // No: nothing happens, the pick stays.
  Act(g.cmdUDisable, KV_MessageBox_AnswerNo);
  EXPECT_EQ(Invocations().size(), 12u);
  EXPECT_EQ(ReadGadgetText(g.txtUSelected), u"com.b");
  EXPECT_EQ(LastRequester().title, u"Kestrelvane [v1.0.0.1]");
  EXPECT_EQ(LastRequester().text, u"Use action \"Disable\"\r\nwith user app \"com.b\"?");
  EXPECT_EQ(LastRequester().flags, 0x34);

  Act(g.cmdUDisable, KV_MessageBox_AnswerYes);
  EXPECT_EQ(Invocations().back(), "shell pm disable-user --user 0 com.b");
  EXPECT_EQ(Items(g.lstUEnabled), (std::vector<Text>{u"Com.A", u"com.a"}));
  EXPECT_EQ(Items(g.lstUDisabled), (std::vector<Text>{u"com.eta", u"com.zeta", u"com.b"}));
  EXPECT_EQ(Title(g.panU, 1), u"DISABLED [3]");
  EXPECT_EQ(Status(), u"Package com.b new state: disabled-user");
  EXPECT_EQ(ReadGadgetText(g.txtUSelected), u"");
  EXPECT_FALSE(user::IsEnabled(GetGadgetHandle(g.cmdUDisable)));
}

TEST_F(AppFlow, StateAnswersMatchNamesWithoutRegardToCase) {
  Reload();
  // Enabling what is already enabled makes no duplicate.
  CommandSteps userStateChange = StateChangeSteps(program, program.user);
  userStateChange.line(u"Package COM.B new state: enabled");
  EXPECT_EQ(GadgetItemCount(g.lstUEnabled), 3);
  userStateChange.line(u"Package COM.ETA new state: enabled");
  EXPECT_EQ(Items(g.lstUDisabled), (std::vector<Text>{u"com.zeta"}));
  EXPECT_EQ(Items(g.lstUEnabled).back(), u"COM.ETA");
  EXPECT_EQ(Status(), u"Package COM.ETA new state: enabled");
}

TEST_F(AppFlow, SystemActionsKeepUninstalledPackagesInPlace) {
  Reload();
  // Disabling a package uninstalled for the user moves nothing.
  Pick(1, g.panS, 2, g.lstSUninstalled, u"com.android.egg");
  Act(g.cmdSDisable, KV_MessageBox_AnswerYes);
  EXPECT_EQ(Status(), u"Package com.android.egg new state: disabled-user");
  EXPECT_EQ(GadgetItemCount(g.lstSDisabled), 1);
  EXPECT_EQ(GadgetItemCount(g.lstSUninstalled), 2);

  // Uninstalling moves to the end of UNINSTALLED; the SYSTEM count stays.
  Pick(1, g.panS, 0, g.lstSEnabled, u"com.android.Bluetooth");
  EXPECT_EQ(LastRequester().text,
            u"Use action \"Disable\"\r\nwith system app \"com.android.egg\"?");
  Act(g.cmdSUninstall, KV_MessageBox_AnswerYes);
  EXPECT_EQ(Status(), u"Success");
  EXPECT_EQ(Items(g.lstSUninstalled), (std::vector<Text>{u"com.android.dreams", u"com.android.egg",
                                                         u"com.android.Bluetooth"}));
  EXPECT_EQ(Title(g.panS, 0), u"ENABLED [1]");
  EXPECT_EQ(Title(g.panS, 2), u"UNINSTALLED [3]");
  EXPECT_EQ(Title(g.panMain, 1), u"SYSTEM [5]");
}

TEST_F(AppFlow, UserUninstallDropsThePackage) {
  Reload();
  Pick(0, g.panU, 1, g.lstUDisabled, u"com.zeta");
  Act(g.cmdUUninstall, KV_MessageBox_AnswerYes);
  EXPECT_EQ(Items(g.lstUDisabled), (std::vector<Text>{u"com.eta"}));
  EXPECT_EQ(Title(g.panMain, 0), u"USER [4]");
  EXPECT_EQ(Status(), u"Success");
}

TEST_F(AppFlow, ReinstallShowsOnlyTheInstallsAnswer) {
  Reload();
  Pick(1, g.panS, 2, g.lstSUninstalled, u"com.android.egg");
  user::AnswerNextMessageBox(KV_MessageBox_AnswerYes);
  user::ClickButton(g.cmdSReinstall);
  std::vector<Text> statuses;
  do {
    program.RunLoopPass(kLoopWaitMs);
    statuses.push_back(Status());
  } while (!program.channel.IsIdle());
  for (const Text& status : statuses) EXPECT_EQ(status.find(u"new state"), Text::npos);
  std::vector<std::string> log = Invocations();
  EXPECT_EQ(log[12], "shell pm enable --user 0 com.android.egg");
  EXPECT_EQ(log[13], "shell pm install-existing --user 0 com.android.egg");
  EXPECT_EQ(Status(), u"Package com.android.egg installed for user: 0");
  EXPECT_EQ(Items(g.lstSUninstalled), (std::vector<Text>{u"com.android.dreams"}));
  EXPECT_EQ(Items(g.lstSEnabled).back(), u"com.android.egg");
}

TEST_F(AppFlow, FailedActionShowsTheDevicesException) {
  device.SetDevice("user com.gone enabled\n");
  Reload();
  device.SetDevice("");  // uninstalled behind the program's back
  Pick(0, g.panU, 0, g.lstUEnabled, u"com.gone");
  Act(g.cmdUEnable, KV_MessageBox_AnswerYes);
  EXPECT_EQ(Status(), u"java.lang.IllegalArgumentException: Unknown package: com.gone");
  EXPECT_EQ(GadgetItemCount(g.lstUEnabled), 1);
}

TEST_F(AppFlow, NamesThatAreNoPackageNeverReachAdb) {
  device.SetDevice("user com.a;reboot enabled\nuser com.ok enabled\n");
  Reload();
  Pick(0, g.panU, 0, g.lstUEnabled, u"com.a;reboot");
  size_t shown = user::ShownRequesters().size();
  user::ClickButton(g.cmdUUninstall);
  RunUntilIdle();
  EXPECT_EQ(user::ShownRequesters().size(), shown);  // not even asked
  EXPECT_EQ(Invocations().size(), 12u);
  EXPECT_EQ(Status(), u"Not a package name, nothing sent to adb: \"com.a;reboot\"");
}

TEST_F(AppFlow, DumpAsksNothingAndShowsTheDumpPage) {
  Reload();
  Pick(0, g.panU, 0, g.lstUEnabled, u"com.b");
  size_t shown = user::ShownRequesters().size();
  user::ClickButton(g.cmdUDump);
  RunUntilIdle();
  EXPECT_EQ(user::ShownRequesters().size(), shown);  // no confirmation
  EXPECT_EQ(Invocations().size(), 13u);
  EXPECT_EQ(Invocations().back(), "shell dumpsys package com.b");
  EXPECT_EQ(ReadGadgetState(g.panMain), TabDevice);
  EXPECT_EQ(ReadGadgetState(g.panD), TabDump);
  EXPECT_EQ(ReadGadgetItemText(g.lstDDump, 0), u"Activity Resolver Table:");
  EXPECT_EQ(ReadGadgetText(g.txtUSelected), u"");
}

TEST_F(AppFlow, PicksButtonsAndTabChanges) {
  Reload();
  Pick(1, g.panS, 3, g.lstSModules, u"ModuleInfo{com.android.adbd} packageName: com.android.adbd");
  EXPECT_EQ(ReadGadgetText(g.txtSSelected), u"");
  EXPECT_TRUE(user::IsEnabled(GetGadgetHandle(g.cmdGenCopy)));
  for (int b : {g.cmdSUninstall, g.cmdSReinstall, g.cmdSDump, g.cmdSDisable, g.cmdSEnable}) {
    EXPECT_FALSE(user::IsEnabled(GetGadgetHandle(b)));
  }

  Pick(2, g.panC, 2, g.lstCSystem, u"screen_brightness=102");
  EXPECT_EQ(ReadGadgetText(g.txtCSelected), u"screen_brightness=102");
  EXPECT_TRUE(user::IsEnabled(GetGadgetHandle(g.cmdCWrite)));
  // Reload keeps the settings pick and the copy source.
  Reload();
  EXPECT_EQ(ReadGadgetText(g.txtCSelected), u"screen_brightness=102");
  EXPECT_TRUE(user::IsEnabled(GetGadgetHandle(g.cmdCWrite)));
  user::ClickButton(g.cmdGenCopy);
  EXPECT_EQ(user::ClipboardText(), u"ringtone=caf\u00e9.ogg\r\nscreen_brightness=102\r\n");

  // Write with no value typed asks nothing and sends nothing.
  size_t shown = user::ShownRequesters().size();
  user::ClickButton(g.cmdCWrite);
  EXPECT_EQ(user::ShownRequesters().size(), shown);
  EXPECT_EQ(Status(), u"No new value typed, nothing written. To delete the setting: adb shell "
                      u"settings delete system screen_brightness");
  EXPECT_EQ(Invocations().size(), 24u);

  // Any tab change by the user forgets every pick.
  user::ChooseTab(g.panC, 0);
  EXPECT_EQ(ReadGadgetText(g.txtCSelected), u"");
  EXPECT_FALSE(user::IsEnabled(GetGadgetHandle(g.cmdCWrite)));
  EXPECT_FALSE(user::IsEnabled(GetGadgetHandle(g.cmdGenCopy)));
  // Double clicks are not picks of their own.
  user::ChooseTab(g.panMain, 0);
  user::DoubleClickListItem(g.lstUEnabled, 0);
  EXPECT_EQ(ReadGadgetText(g.txtUSelected), u"Com.A");
}

TEST_F(AppFlow, AdbPathFieldAndRequester) {
  user::ChooseTab(g.panMain, 4);
  EXPECT_EQ(ReadGadgetText(g.txtOADBPath), device.AdbPath());
  user::TypeText(g.txtOADBPath, u"x");
  EXPECT_EQ(program.config.ADBPath, device.AdbPath() + u"x");  // at once, unchecked

  user::CancelNextFileRequester();
  user::ClickButton(g.cmdOSetADBPath);
  EXPECT_EQ(program.config.ADBPath, device.AdbPath() + u"x");
  EXPECT_EQ(LastRequester().title, u"ADB.exe path");
  EXPECT_EQ(LastRequester().pattern, u"ADB.exe|*.exe;");
  EXPECT_EQ(LastRequester().defaultFile, device.AdbPath() + u"x");

  user::AnswerNextFileRequester(device.AdbPath());
  user::ClickButton(g.cmdOSetADBPath);
  EXPECT_EQ(program.config.ADBPath, device.AdbPath());
  EXPECT_EQ(ReadGadgetText(g.txtOADBPath), device.AdbPath());
  Reload();
  EXPECT_EQ(Invocations().size(), 12u);
}

}  // namespace

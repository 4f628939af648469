// Dump on the USER and SYSTEM tabs, driven as a user would against the fake
// adb.
#include <gtest/gtest.h>

#include "fixtures/package_dump.h"
#include "app_fixture.h"

using namespace kv;
using namespace kv::test;

namespace {

constexpr char kDevice[] =
    "user com.notes enabled\n"
    "user com.gone enabled\n"
    "system com.android.settings disabled\n";

std::vector<Text> Decoded(const std::vector<std::string>& lines) {
  std::vector<Text> decoded;
  for (const std::string& line : lines) decoded.push_back(DecodeUtf8(line));
  return decoded;
}

struct DumpPage : UserFlowTest {
  void SetUp() override {
    UserFlowTest::SetUp();
    device.SetDevice(kDevice);
    Reload();
  }

  void Dump(int tab, int panel, int list, TextView package, int button) {
    Pick(tab, panel, 0, list, package);
    user::ClickButton(button);
    RunUntilIdle();
  }
};

TEST_F(DumpPage, DumpFillsTheDumpPageInOutputOrder) {
  Dump(TabUser, g.panU, g.lstUEnabled, u"com.notes", g.cmdUDump);
  EXPECT_EQ(Invocations().back(), "shell dumpsys package com.notes");
  std::vector<Text> expected = Decoded(PackageDump({"com.notes", false, "enabled"}));
  EXPECT_GT(expected.size(), 200u);
  EXPECT_EQ(Items(g.lstDDump), expected);
  EXPECT_EQ(ReadGadgetState(g.panMain), TabDevice);
  EXPECT_EQ(ReadGadgetState(g.panD), TabDump);
  EXPECT_EQ(ReadGadgetText(g.txtUSelected), u"");
  EXPECT_FALSE(user::IsEnabled(GetGadgetHandle(g.cmdUDump)));
  EXPECT_EQ(GadgetItemCount(g.lstDInfo), 4) << "the INFO page is left alone";

  // The next dump empties the page as it begins, and replaces it.
  Pick(TabSystem, g.panS, TabDisabled, g.lstSDisabled, u"com.android.settings");
  user::ClickButton(g.cmdSDump);
  user::ChooseTab(g.panMain, TabUser);
  while (program.channel.State() != PumpState::Reading) program.RunLoopPass(kLoopWaitMs);
  EXPECT_EQ(ReadGadgetState(g.panMain), TabDevice);
  EXPECT_EQ(GadgetItemCount(g.lstDDump), 0);
  RunUntilIdle();
  EXPECT_EQ(Items(g.lstDDump), Decoded(PackageDump({"com.android.settings", true, "disabled"})));
}

TEST_F(DumpPage, DumpOfAPackageTheDeviceNoLongerHasShowsAdbsWords) {
  device.SetDevice("user com.notes enabled\n");
  Dump(TabUser, g.panU, g.lstUEnabled, u"com.gone", g.cmdUDump);
  EXPECT_EQ(Items(g.lstDDump), (std::vector<Text>{u"Unable to find package: com.gone"}));

  device.Behave("nodevice\n");
  Dump(TabUser, g.panU, g.lstUEnabled, u"com.notes", g.cmdUDump);
  EXPECT_EQ(GadgetItemCount(g.lstDDump), 0);
  EXPECT_EQ(Status(), u"adb: no devices/emulators found");
}

}  // namespace

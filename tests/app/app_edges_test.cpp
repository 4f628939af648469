// Edges of the flows: packages whose names differ only in case, picks that
// tab changes forget, actions dropped by a second Reload, the bindings of
// every list and button, and a start that fails.
#include <gtest/gtest.h>

#include <algorithm>

#include "app_fixture.h"

using namespace kv;
using namespace kv::test;

namespace {

constexpr char kDevice[] =
    "user Com.A enabled\n"
    "user com.a enabled\n"
    "user com.b enabled\n"
    "system Com.X enabled\n"
    "system com.x uninstalled\n"
    "system com.android.nfc disabled\n"
    "system com.android.phone enabled\n"
    "library android.ext.shared\n"
    "library android.test.base\n"
    "module com.android.wifi\n"
    "setting global airplane_mode_on=0\n"
    "setting secure bluetooth_name=Pixel\n"
    "setting system font_scale=1.0\n";

struct AppEdges : UserFlowTest {
  void SetUp() override {
    UserFlowTest::SetUp();
    device.SetDevice(kDevice);
  }

  bool Ran(const std::string& invocation) const {
    std::vector<std::string> log = Invocations();
    return std::find(log.begin(), log.end(), invocation) != log.end();
  }
};

TEST_F(AppEdges, PackagesThatDifferOnlyInCaseStayApart) {
  Reload();
  EXPECT_EQ(Items(g.lstSEnabled), (std::vector<Text>{u"com.android.phone", u"Com.X"}));
  EXPECT_EQ(Items(g.lstSUninstalled), (std::vector<Text>{u"com.x"}));

  Pick(TabUser, g.panU, TabEnabled, g.lstUEnabled, u"com.a");
  EXPECT_EQ(ReadGadgetText(g.txtUSelected), u"com.a");
  Act(g.cmdUDisable, KV_MessageBox_AnswerYes);
  EXPECT_EQ(Items(g.lstUEnabled), (std::vector<Text>{u"Com.A", u"com.b"}));
  EXPECT_EQ(Items(g.lstUDisabled), (std::vector<Text>{u"com.a"}));

  Pick(TabUser, g.panU, TabDisabled, g.lstUDisabled, u"com.a");
  Act(g.cmdUEnable, KV_MessageBox_AnswerYes);
  EXPECT_EQ(Items(g.lstUEnabled), (std::vector<Text>{u"Com.A", u"com.b", u"com.a"}));
  EXPECT_TRUE(Items(g.lstUDisabled).empty());
  EXPECT_EQ(Title(g.panMain, TabUser), u"USER [3]");

  // Uninstalling the one leaves the other where it is.
  Pick(TabSystem, g.panS, TabEnabled, g.lstSEnabled, u"Com.X");
  Act(g.cmdSUninstall, KV_MessageBox_AnswerYes);
  EXPECT_EQ(Items(g.lstSEnabled), (std::vector<Text>{u"com.android.phone"}));
  EXPECT_EQ(Items(g.lstSUninstalled), (std::vector<Text>{u"com.x", u"Com.X"}));
}

TEST_F(AppEdges, ASystemPageChangeForgetsTheSystemPick) {
  Reload();
  Pick(TabSystem, g.panS, TabEnabled, g.lstSEnabled, u"com.android.phone");
  EXPECT_TRUE(IsEnabled(g.cmdSDisable));
  user::ChooseTab(g.panS, TabDisabled);
  EXPECT_EQ(ReadGadgetText(g.txtSSelected), u"");
  for (int b : {g.cmdSUninstall, g.cmdSReinstall, g.cmdSDump, g.cmdSDisable, g.cmdSEnable}) {
    EXPECT_FALSE(IsEnabled(b));
  }
}

TEST_F(AppEdges, AUserPageChangeForgetsTheUserPick) {
  Reload();
  Pick(TabUser, g.panU, TabEnabled, g.lstUEnabled, u"com.b");
  user::ChooseTab(g.panU, TabDisabled);
  EXPECT_EQ(ReadGadgetText(g.txtUSelected), u"");
  EXPECT_FALSE(IsEnabled(g.cmdUDisable));
  EXPECT_FALSE(IsEnabled(g.cmdGenCopy));
}

TEST_F(AppEdges, ADevicePageChangeForgetsThePicks) {
  Reload();
  Pick(TabConfig, g.panC, 0, g.lstCGlobal, u"airplane_mode_on=0");
  WriteGadgetState(g.panMain, TabDevice);  // the program's switch: the pick stays
  EXPECT_TRUE(IsEnabled(g.cmdGenCopy));
  user::ChooseTab(g.panD, TabDump);
  EXPECT_EQ(ReadGadgetText(g.txtCSelected), u"");
  EXPECT_FALSE(IsEnabled(g.cmdGenCopy));
  EXPECT_FALSE(IsEnabled(g.cmdCWrite));
}

TEST_F(AppEdges, ASecondReloadDropsAnActionQueuedBehindTheFirst) {
  Reload();
  device.Behave("slow 20\n");
  user::ClickButton(g.cmdGenReload);
  while (Invocations().size() == 12) program.RunLoopPass(kLoopWaitMs);
  // Picked while the first query runs, before the lists are emptied.
  Pick(TabUser, g.panU, TabEnabled, g.lstUEnabled, u"com.b");
  user::AnswerNextMessageBox(KV_MessageBox_AnswerYes);
  user::ClickButton(g.cmdUDisable);
  EXPECT_EQ(program.channel.QueuedCount(), 12u);  // eleven queries and the action
  user::ClickButton(g.cmdGenReload);
  RunUntilIdle();
  EXPECT_FALSE(Ran("shell pm disable-user --user 0 com.b"));
  EXPECT_EQ(Invocations().size(), 12u + 1 + 12);
  EXPECT_EQ(Items(g.lstUEnabled), (std::vector<Text>{u"Com.A", u"com.a", u"com.b"}));
}

TEST_F(AppEdges, CopyListOfAListThatBecameEmptyPutsTheEmptyText) {
  Reload();
  Pick(TabSystem, g.panS, TabDisabled, g.lstSDisabled, u"com.android.nfc");
  device.SetDevice("");
  Reload();  // keeps the copy source
  EmptyClipboardContents();
  PutClipboardText(u"before");
  user::ClickButton(g.cmdGenCopy);
  EXPECT_EQ(user::ClipboardText(), u"");
}

TEST_F(AppEdges, EveryListAndActionOfTheSystemAndConfigTabsAnswers) {
  Reload();
  // lstSDisabled, then cmdSEnable.
  Pick(TabSystem, g.panS, TabDisabled, g.lstSDisabled, u"com.android.nfc");
  EXPECT_EQ(ReadGadgetText(g.txtSSelected), u"com.android.nfc");
  Act(g.cmdSEnable, KV_MessageBox_AnswerYes);
  EXPECT_TRUE(Ran("shell pm enable --user 0 com.android.nfc"));
  EXPECT_EQ(Items(g.lstSEnabled).back(), u"com.android.nfc");
  EXPECT_EQ(Title(g.panS, TabDisabled), u"DISABLED [0]");

  // cmdSDump asks nothing and forgets the pick.
  Pick(TabSystem, g.panS, TabEnabled, g.lstSEnabled, u"com.android.phone");
  std::size_t asked = user::ShownRequesters().size();
  Act(g.cmdSDump, KV_MessageBox_AnswerOk);
  for (std::size_t i = asked; i < user::ShownRequesters().size(); ++i) {
    EXPECT_NE(user::ShownRequesters()[i].flags & KV_MessageBox_YesNo, KV_MessageBox_YesNo);
  }
  EXPECT_EQ(ReadGadgetText(g.txtSSelected), u"");

  // lstSLibraries: no package to act on, but a list to copy.
  Pick(TabSystem, g.panS, 4, g.lstSLibraries, u"library:android.test.base");
  EXPECT_EQ(ReadGadgetText(g.txtSSelected), u"");
  EXPECT_FALSE(IsEnabled(g.cmdSUninstall));
  user::ClickButton(g.cmdGenCopy);
  EXPECT_EQ(user::ClipboardText(), u"library:android.ext.shared\r\nlibrary:android.test.base\r\n");

  // lstCGlobal and lstCSecure.
  Pick(TabConfig, g.panC, 0, g.lstCGlobal, u"airplane_mode_on=0");
  EXPECT_EQ(ReadGadgetText(g.txtCSelected), u"airplane_mode_on=0");
  Pick(TabConfig, g.panC, 1, g.lstCSecure, u"bluetooth_name=Pixel");
  EXPECT_EQ(ReadGadgetText(g.txtCSelected), u"bluetooth_name=Pixel");
  EXPECT_TRUE(IsEnabled(g.cmdCWrite));
}

TEST_F(AppEdges, AnAdbThatStopsAnsweringIsEndedAndNamed) {
  program.channel.silenceLimit = std::chrono::milliseconds(300);
  device.Behave("slow 5000\n");
  user::ClickButton(g.cmdGenReload);
  while (Invocations().empty()) program.RunLoopPass(kLoopWaitMs);
  device.Behave("");
  RunUntilIdle();
  EXPECT_EQ(Status(), u"adb did not answer for 300 ms: devices");
  EXPECT_EQ(Invocations().size(), 12u);
  EXPECT_EQ(Title(g.panMain, TabUser), u"USER [3]");
}

TEST(ProgramStart, AFailedStartSaysWhyInOneLine) {
  FakeDevice device("program-start-failure");
  {
    Program program(Text((device.Folder() / "kestrelvane.cfg").u16string()));
    program.description = u"<dialogs><window name='wndADB'><vbox></window></dialogs>";
    EXPECT_FALSE(program.Start());
    EXPECT_TRUE(program.startFailure.starts_with(
        u"Kestrelvane could not read its window description: "))
        << Utf8(program.startFailure);
    EXPECT_EQ(program.startFailure.find(u'\n'), Text::npos);
    program.End();
  }
  Program program(Text((device.Folder() / "kestrelvane.cfg").u16string()));
  program.description = u"<dialogs><window name='wndADB'><gridbox columns='0'>"
                        u"<button name='b'/></gridbox></window></dialogs>";
  EXPECT_FALSE(program.Start());
  EXPECT_EQ(program.startFailure,
            u"Kestrelvane could not open its window: "
            u"A gridbox can only have 1 to 1000 columns (0 was specified).");
  program.End();
}

}  // namespace

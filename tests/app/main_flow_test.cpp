// The main flow as a user goes through it, written against the toolkit's
// public API and user.h, so it runs on every backend: the path typed, Reload,
// counts, a pick, the confirmation, the package moved, Copy list, a dump, a
// setting written, and the path kept at exit.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/config_file.h"
#include "app/list_names.h"
#include "app/program.h"
#include "fixtures/fake_device.h"
#include "storage/file_paths.h"
#include "toolkit/gadgets.h"
#include "toolkit/requesters.h"
#include "toolkit/user.h"

using namespace kv;

namespace {

void RunUntilIdle(Program& program) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  do {
    program.RunLoopPass(kLoopWaitMs);
  } while (!program.channel.IsIdle() && std::chrono::steady_clock::now() < deadline);
}

TEST(MainFlow, ReloadPickConfirmCopyAndKeepThePath) {
  test::FakeDevice device("main-flow");
  device.SetDevice(
      "user com.notes enabled\nuser com.game enabled\nuser com.maps disabled\n"
      "system com.android.settings enabled\nsystem com.android.egg uninstalled\n"
      "setting global wifi_on=1\n");
  Text configPath((device.Folder() / "kestrelvane.cfg").u16string());
  Program program(configPath);
  ASSERT_TRUE(program.Start());
  const MainGadgets& g = program.g;

  // The path field, typed on the SETTINGS tab, takes effect at once.
  program.config.ADBPath.clear();
  user::ChooseTab(g.panMain, 4);
  user::TypeText(g.txtOADBPath, device.AdbPath());
  EXPECT_EQ(program.config.ADBPath, device.AdbPath());

  user::ClickButton(g.cmdGenReload);
  RunUntilIdle(program);
  EXPECT_EQ(ReadGadgetItemText(g.panMain, 0), u"USER [3]");
  EXPECT_EQ(ReadGadgetItemText(g.panMain, 1), u"SYSTEM [2]");
  EXPECT_EQ(ReadGadgetItemText(g.panU, 0), u"ENABLED [2]");
  EXPECT_EQ(ReadGadgetText(g.txtGenStatus), u"");

  user::ChooseTab(g.panMain, 0);
  int notes = FindListItem(g.lstUEnabled, u"com.notes");
  ASSERT_EQ(notes, 1);
  user::ClickListItem(g.lstUEnabled, notes);
  EXPECT_EQ(ReadGadgetText(g.txtUSelected), u"com.notes");

  user::AnswerNextMessageBox(KV_MessageBox_AnswerYes);
  user::ClickButton(g.cmdUDisable);
  RunUntilIdle(program);
  EXPECT_EQ(ReadGadgetText(g.txtGenStatus), u"Package com.notes new state: disabled-user");
  EXPECT_EQ(GadgetItemCount(g.lstUEnabled), 1);
  EXPECT_EQ(ReadGadgetItemText(g.panU, 1), u"DISABLED [2]");
  EXPECT_EQ(ReadGadgetText(g.txtUSelected), u"");

  user::ChooseTab(g.panU, 1);
  user::ClickListItem(g.lstUDisabled, 0);
  user::ClickButton(g.cmdGenCopy);
  EXPECT_EQ(user::ClipboardText(), u"com.maps\r\ncom.notes\r\n");

  // Dump asks nothing and shows the DEVICE tab's DUMP page.
  user::ClickButton(g.cmdUDump);
  RunUntilIdle(program);
  EXPECT_EQ(ReadGadgetState(g.panMain), TabDevice);
  EXPECT_EQ(ReadGadgetState(g.panD), TabDump);
  EXPECT_GT(GadgetItemCount(g.lstDDump), 200);
  EXPECT_EQ(ReadGadgetItemText(g.lstDDump, 0), u"Activity Resolver Table:");

  // Write puts a value with blanks, quotes and a non-ASCII letter on the
  // device, and shows what it kept.
  const Text written = u"it's \"caf\u00e9\" on";
  user::ChooseTab(g.panMain, TabConfig);
  user::ClickListItem(g.lstCGlobal, 0);
  user::TypeText(g.txtCNewValue, written);
  user::AnswerNextMessageBox(KV_MessageBox_AnswerYes);
  user::ClickButton(g.cmdCWrite);
  RunUntilIdle(program);
  EXPECT_EQ(ReadGadgetItemText(g.lstCGlobal, 0), u"wifi_on=" + written);
  EXPECT_EQ(ReadGadgetText(g.txtGenStatus), u"wifi_on=" + written);

  user::RequestClose(g.window);
  program.RunMainLoop();
  program.End();
  Config saved;
  EXPECT_EQ(LoadConfig(saved, configPath, true), ConfigDone);
  EXPECT_EQ(saved.ADBPath, device.AdbPath());
}

}  // namespace

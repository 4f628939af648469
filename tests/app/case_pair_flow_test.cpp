// Two packages whose names differ only in case, through the main flow as a
// user goes through it, on every backend.
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "app/list_names.h"
#include "app/program.h"
#include "fixtures/fake_device.h"
#include "toolkit/gadgets.h"
#include "toolkit/requesters.h"
#include "toolkit/user.h"

using namespace kv;

namespace {

std::vector<Text> Items(int list) {
  std::vector<Text> items;
  for (int i = 0; i < GadgetItemCount(list); ++i) items.push_back(ReadGadgetItemText(list, i));
  return items;
}

void RunUntilIdle(Program& program) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  do {
    program.RunLoopPass(kLoopWaitMs);
  } while (!program.channel.IsIdle() && std::chrono::steady_clock::now() < deadline);
}

TEST(CasePairFlow, DisablingOneOfTwoLeavesTheOtherAlone) {
  test::FakeDevice device("case-pair-flow");
  device.SetDevice("user Com.A enabled\nuser com.a enabled\n"
                   "system Com.X enabled\nsystem com.x uninstalled\n");
  Program program(Text((device.Folder() / "kestrelvane.cfg").u16string()));
  ASSERT_TRUE(program.Start());
  program.config.ADBPath = device.AdbPath();
  const MainGadgets& g = program.g;

  user::ClickButton(g.cmdGenReload);
  RunUntilIdle(program);
  EXPECT_EQ(Items(g.lstSUninstalled), std::vector<Text>{u"com.x"});

  int item = FindListItem(g.lstUEnabled, u"com.a");
  ASSERT_EQ(item, 1);
  user::ClickListItem(g.lstUEnabled, item);
  user::AnswerNextMessageBox(KV_MessageBox_AnswerYes);
  user::ClickButton(g.cmdUDisable);
  RunUntilIdle(program);
  EXPECT_EQ(Items(g.lstUEnabled), std::vector<Text>{u"Com.A"});
  EXPECT_EQ(Items(g.lstUDisabled), std::vector<Text>{u"com.a"});

  user::RequestClose(g.window);
  program.RunMainLoop();
  program.End();
}

}  // namespace

// The whole program on the headless toolkit against a private fake adb.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "app/list_names.h"
#include "app/program.h"
#include "fixtures/fake_device.h"
#include "storage/file_paths.h"
#include "toolkit/gadgets.h"
#include "toolkit/headless/driver.h"
#include "toolkit/requesters.h"
#include "toolkit/top_windows.h"

namespace kv::test {

// Items of a list or lines of the editor.
inline std::vector<Text> Items(int gadget) {
  std::vector<Text> items;
  for (int i = 0; i < GadgetItemCount(gadget); ++i) items.push_back(ReadGadgetItemText(gadget, i));
  return items;
}

inline std::string Utf8(TextView text) {
  return EncodeUtf8(text);
}

// The program with its configuration file in the fake device's folder, so
// tests of their own can run at once.
struct ProgramTest : ::testing::Test {
  FakeDevice device{::testing::UnitTest::GetInstance()->current_test_info()->name()};
  Program program{Text((device.Folder() / "kestrelvane.cfg").u16string())};
  const MainGadgets& g = program.g;

  void SetUp() override {
    ASSERT_TRUE(program.Start());
    program.config.ADBPath = device.AdbPath();
  }
  void TearDown() override { program.End(); }

  // Loop passes until every queued command has had its end call.
  void RunUntilIdle() {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    do {
      program.RunLoopPass(kLoopWaitMs);
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    } while (!program.channel.IsIdle() && std::chrono::steady_clock::now() < deadline);
  }

  std::vector<std::string> Invocations() const {
    std::vector<std::string> lines;
    std::string log = device.Invocations(), line;
    for (char c : log) {
      if (c != '\n') {
        line += c;
      } else {
        lines.push_back(line);
        line.clear();
      }
    }
    return lines;
  }
};

namespace user = kv::headless;

// The program driven as a user would.
struct UserFlowTest : ProgramTest {
  void Reload() {
    user::ClickButton(g.cmdGenReload);
    RunUntilIdle();
  }

  // Picks item of list, which sits on page tab of panel under main tab.
  void Pick(int mainTab, int panel, int tab, int list, TextView item) {
    user::ChooseTab(g.panMain, mainTab);
    if (panel != -1) user::ChooseTab(panel, tab);
    int index = FindListItem(list, item);
    ASSERT_NE(index, -1) << Utf8(item);
    user::ClickListItem(list, index);
  }

  void Act(int button, int answer) {
    user::AnswerNextMessageBox(answer);
    user::ClickButton(button);
    RunUntilIdle();
  }

  Text Status() const { return ReadGadgetText(g.txtGenStatus); }
  Text Title(int panel, int tab) const { return ReadGadgetItemText(panel, tab); }
  size_t RequestersShown() const { return user::ShownRequesters().size(); }
  const user::Requester& LastRequester() const { return user::ShownRequesters().back(); }
  bool IsEnabled(int gadget) const { return user::IsEnabled(GetGadgetHandle(gadget)); }
};

}  // namespace kv::test

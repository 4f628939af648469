// The program driven as a user would on the headless toolkit, for the flows
// of the DEVICE, CONFIG and SETTINGS tabs.
#pragma once

#include "app/device_lists.h"
#include "app_fixture.h"
#include "toolkit/headless/driver.h"

namespace kv::test {

struct FlowTest : ProgramTest {
  void Reload() {
    headless::ClickButton(g.cmdGenReload);
    RunUntilIdle();
  }

  // Picks item of list, which sits on page tab of panel under main tab.
  void Pick(int mainTab, int panel, int tab, int list, TextView item) {
    headless::ChooseTab(g.panMain, mainTab);
    headless::ChooseTab(panel, tab);
    int index = FindListItem(list, item);
    ASSERT_NE(index, -1) << Utf8(item);
    headless::ClickListItem(list, index);
  }

  Text Status() const { return ReadGadgetText(g.txtGenStatus); }
  size_t RequestersShown() const { return headless::ShownRequesters().size(); }
  const headless::Requester& LastRequester() const { return headless::ShownRequesters().back(); }
};

}  // namespace kv::test

// Panels: a row of tabs, each with a hidden page that holds the tab's
// gadgets; only the selected tab's page is shown. The core writes the rules
// of tabs over the primitives here (panel.cpp there).
#include <algorithm>

#include "kinds.h"
#include "metrics.h"
#include "toolkit/dpi.h"

namespace kv::headless {

namespace {

Control& Panel(Handle panel) { return *FindControl(panel); }

bool Exists(const Control& panel, int tab) {
  return tab >= 0 && tab < static_cast<int>(panel.tabs.size());
}

Control* ShownPage(Control& panel) {
  return Exists(panel, panel.selectedTab) ? FindControl(panel.tabs[panel.selectedTab].page)
                                          : nullptr;
}

int TabTop() { return ToPixelsY(kTabTop); }
int TabBottom() { return TabTop() + ToPixelsY(kTabHeight); }

PixelRect PageRect(const Control& panel) {
  int rows = ToPixelsY(kTabHeight);
  return {2, rows + 4, std::max(0, panel.rect.width - 4),
          std::max(0, panel.rect.height - rows - 6)};
}

int ReadAttribute(GadgetObject& g, int attribute) {
  Control* page = ShownPage(ControlOf(g));
  if (!page) return 0;
  switch (attribute) {
    case KV_Panel_ItemWidth: return FromPixelsX(page->rect.width);
    case KV_Panel_ItemHeight: return FromPixelsY(page->rect.height);
    case KV_Panel_TabHeight: return FromPixelsY(TabTop() + TabBottom());
    default: return 0;
  }
}

}  // namespace

}  // namespace kv::headless

namespace kv::platform {

using headless::Control;
using headless::Panel;

const KindRecord& PanelRecord() {
  static const KindRecord record{
      .cls = headless::ControlClass::Tab,
      .slots = {.code = GK_PANEL, .readAttribute = headless::ReadAttribute},
  };
  return record;
}

int TabCount(Handle panel) { return static_cast<int>(Panel(panel).tabs.size()); }

int SelectedTab(Handle panel) { return Panel(panel).selectedTab; }

void SelectTab(Handle panel, int tab) { Panel(panel).selectedTab = tab; }

// A page shown at another size reports it, as the platform's does.
void ShowTabPage(Handle handle, bool shown) {
  Control& panel = Panel(handle);
  Control* page = headless::ShownPage(panel);
  if (!page) return;
  page->visible = shown;
  page->enabled = shown;
  if (!shown) return;
  PixelRect rect = headless::PageRect(panel);
  bool resized = rect.width != page->rect.width || rect.height != page->rect.height;
  page->rect = rect;
  const GadgetObject* gadget = FindGadgetObject(panel.gadget);
  if (resized && gadget) OnPanelPageResized(*gadget);
}

Handle TabPage(Handle handle, int tab) {
  Control& panel = Panel(handle);
  return headless::Exists(panel, tab) ? panel.tabs[static_cast<size_t>(tab)].page : 0;
}

Handle InsertTab(Handle handle, int position, TextView title) {
  Control page;
  page.cls = headless::ControlClass::Page;
  page.parent = handle;
  page.visible = false;
  Handle pageHandle = headless::AddControl(std::move(page)).handle;
  Control& panel = Panel(handle);
  panel.tabs.insert(panel.tabs.begin() + position, headless::TabItem{Text(title), pageHandle});
  if (panel.selectedTab >= position) ++panel.selectedTab;
  return pageHandle;
}

void RemoveTab(Handle handle, int tab) {
  Control& panel = Panel(handle);
  panel.tabs.erase(panel.tabs.begin() + tab);
  if (panel.selectedTab == tab) {
    panel.selectedTab = -1;
  } else if (panel.selectedTab > tab) {
    --panel.selectedTab;
  }
}

Text TabTitle(Handle panel, int tab) { return Panel(panel).tabs[static_cast<size_t>(tab)].title; }

void WriteTabTitle(Handle panel, int tab, TextView title) {
  Panel(panel).tabs[static_cast<size_t>(tab)].title = Text(title);
}

}  // namespace kv::platform

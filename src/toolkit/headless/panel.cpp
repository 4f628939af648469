// Panels: a row of tabs, each with a hidden page that holds the tab's
// gadgets; only the selected tab's page is shown.
#include <algorithm>

#include "kinds.h"
#include "metrics.h"
#include "toolkit/dpi.h"

namespace kv::headless {

namespace {

constexpr size_t kLongestTitle = 4096;

std::vector<TabItem>& Tabs(GadgetObject& g) { return ControlOf(g).tabs; }

bool Exists(const Control& panel, int item) {
  return item >= 0 && item < static_cast<int>(panel.tabs.size());
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

void HidePage(Control& panel) {
  if (Control* page = ShownPage(panel)) {
    page->visible = false;
    page->enabled = false;
  }
}

void ShowPage(Control& panel) {
  Control* page = ShownPage(panel);
  if (!page) return;
  PixelRect rect = PageRect(panel);
  bool resized = rect.width != page->rect.width || rect.height != page->rect.height;
  page->rect = rect;
  page->enabled = true;
  page->visible = true;
  const GadgetObject* gadget = FindGadgetObject(panel.gadget);
  if (resized && gadget) OnPanelPageResized(*gadget);
}

int ReadState(GadgetObject& g) { return ControlOf(g).selectedTab; }

void WriteState(GadgetObject& g, int index) { SelectTab(ControlOf(g), index); }

Text ReadText(GadgetObject& g) {
  Control& panel = ControlOf(g);
  return Exists(panel, panel.selectedTab) ? panel.tabs[panel.selectedTab].title : Text{};
}

void WriteText(GadgetObject& g, TextView text) {
  Control& panel = ControlOf(g);
  if (Exists(panel, panel.selectedTab)) panel.tabs[panel.selectedTab].title = Text(text);
}

// The new tab's page becomes the current gadget parent in place of the
// panel or the page before it.
int InsertItem(GadgetObject& g, int position, TextView title) {
  Control& panel = ControlOf(g);
  int count = static_cast<int>(panel.tabs.size());
  if (position < -1) return 0;
  if (position == -1 || position > count) position = count;
  Control page;
  page.cls = ControlClass::Page;
  page.parent = panel.handle;
  page.visible = false;
  Handle pageHandle = AddControl(std::move(page)).handle;
  panel.tabs.insert(panel.tabs.begin() + position, TabItem{Text(title), pageHandle});
  if (panel.selectedTab >= position) ++panel.selectedTab;
  if (panel.selectedTab == -1) panel.selectedTab = 0;
  ReplaceGadgetParent(pageHandle);
  ShowPage(panel);
  return 0;
}

// Deleting a tab selects the first one (the second when the first goes);
// the page goes with every gadget on it.
void DeleteItem(GadgetObject& g, int item) {
  Control& panel = ControlOf(g);
  if (!Exists(panel, item)) return;
  if (panel.tabs.size() == 1) {
    HidePage(panel);
    panel.selectedTab = -1;
  } else {
    SelectTab(panel, item == 0 ? 1 : 0);
    if (panel.selectedTab > item) --panel.selectedTab;
  }
  Handle page = panel.tabs[item].page;
  panel.tabs.erase(panel.tabs.begin() + item);
  DestroyControl(page);
}

void ClearItems(GadgetObject& g) {
  while (!Tabs(g).empty()) DeleteItem(g, 0);
}

int ItemCount(GadgetObject& g) { return static_cast<int>(Tabs(g).size()); }

Text ReadItemText(GadgetObject& g, int item, int) {
  Control& panel = ControlOf(g);
  return Exists(panel, item) ? panel.tabs[item].title.substr(0, kLongestTitle) : Text{};
}

int WriteItemText(GadgetObject& g, int item, TextView text, int) {
  Control& panel = ControlOf(g);
  if (Exists(panel, item)) panel.tabs[item].title = Text(text);
  return 0;
}

void Place(GadgetObject& g, const PixelRect& rect) {
  Control& panel = ControlOf(g);
  platform::MoveControl(panel.handle, rect);
  ShowPage(panel);
}

void OpenItem(GadgetObject& g, int item) {
  Control& panel = ControlOf(g);
  if (item == -2) {
    PushGadgetParent(panel.handle);
  } else if (Exists(panel, item)) {
    PushGadgetParent(panel.tabs[item].page);
  }
}

int ReadAttribute(GadgetObject& g, int attribute) {
  Control& panel = ControlOf(g);
  Control* page = ShownPage(panel);
  if (!page) return 0;
  switch (attribute) {
    case KV_Panel_ItemWidth: return FromPixelsX(page->rect.width);
    case KV_Panel_ItemHeight: return FromPixelsY(page->rect.height);
    case KV_Panel_TabHeight: return FromPixelsY(TabTop() + TabBottom());
    default: return 0;
  }
}

std::intptr_t ReadItemData(GadgetObject& g, int item) {
  Control& panel = ControlOf(g);
  return Exists(panel, item) ? panel.tabs[item].data : 0;
}

void WriteItemData(GadgetObject& g, int item, std::intptr_t data) {
  Control& panel = ControlOf(g);
  if (Exists(panel, item)) panel.tabs[item].data = data;
}

}  // namespace

void SelectTab(Control& panel, int index) {
  if (!Exists(panel, index)) return;
  HidePage(panel);
  panel.selectedTab = index;
  ShowPage(panel);
}

const GadgetKind& PanelKind() {
  static const GadgetKind kind{
      .code = GK_PANEL,
      .readState = ReadState,
      .writeState = WriteState,
      .readText = ReadText,
      .writeText = WriteText,
      .insertItem = InsertItem,
      .deleteItem = DeleteItem,
      .clearItems = ClearItems,
      .place = Place,
      .itemCount = ItemCount,
      .readItemText = ReadItemText,
      .writeItemText = WriteItemText,
      .openItem = OpenItem,
      .readAttribute = ReadAttribute,
      .writeItemData = WriteItemData,
      .readItemData = ReadItemData,
  };
  return kind;
}

}  // namespace kv::headless

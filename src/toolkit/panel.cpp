// Panels: the rules of tabs and their pages, the same on every platform over
// the platform's tab primitives. The core keeps each tab's item data.
#include <memory>
#include <vector>

#include "detail/core.h"
#include "toolkit/gadgets.h"

namespace kv {

namespace {

constexpr size_t kLongestTitle = 4096;

struct PanelState : GadgetData {
  std::vector<std::intptr_t> data;  // each tab's, in tab order
};

std::vector<std::intptr_t>& TabData(GadgetObject& g) {
  if (!g.state) g.state = std::make_unique<PanelState>();
  return static_cast<PanelState&>(*g.state).data;
}

bool Exists(GadgetObject& g, int tab) { return tab >= 0 && tab < platform::TabCount(g.handle); }

int Selected(GadgetObject& g) { return platform::SelectedTab(g.handle); }

// The old page goes before, the new one comes after.
void Select(GadgetObject& g, int tab) {
  platform::ShowTabPage(g.handle, false);
  platform::SelectTab(g.handle, tab);
  platform::ShowTabPage(g.handle, true);
}

void WriteState(GadgetObject& g, int tab) {
  if (Exists(g, tab)) Select(g, tab);
}

Text ReadItemText(GadgetObject& g, int tab, int) {
  return Exists(g, tab) ? platform::TabTitle(g.handle, tab).substr(0, kLongestTitle) : Text{};
}

// An unchanged title is not written again: a tab control lays out its tabs
// anew and repaints on every write, and callers rewrite counts often.
int WriteItemText(GadgetObject& g, int tab, TextView text, int) {
  if (Exists(g, tab) && platform::TabTitle(g.handle, tab) != text) {
    platform::WriteTabTitle(g.handle, tab, text);
  }
  return 0;
}

Text ReadText(GadgetObject& g) { return ReadItemText(g, Selected(g), 0); }
void WriteText(GadgetObject& g, TextView text) { WriteItemText(g, Selected(g), text, 0); }

// The new tab's page becomes the current gadget parent in place of the
// panel or the page before it.
int InsertItem(GadgetObject& g, int position, TextView title) {
  int count = platform::TabCount(g.handle);
  if (position < -1) return 0;
  if (position == -1 || position > count) position = count;
  Handle page = platform::InsertTab(g.handle, position, title);
  if (!page) return 0;
  std::vector<std::intptr_t>& data = TabData(g);
  data.insert(data.begin() + position, 0);
  if (Selected(g) < 0) platform::SelectTab(g.handle, 0);
  ReplaceGadgetParent(page);
  platform::ShowTabPage(g.handle, true);
  return 0;
}

// Deleting a tab selects the first one (the second when the first goes);
// the page goes with every gadget on it.
void DeleteItem(GadgetObject& g, int tab) {
  Handle page = platform::TabPage(g.handle, tab);
  if (!page) return;
  if (platform::TabCount(g.handle) == 1) {
    platform::ShowTabPage(g.handle, false);
  } else {
    Select(g, tab == 0 ? 1 : 0);
  }
  platform::RemoveTab(g.handle, tab);
  std::vector<std::intptr_t>& data = TabData(g);
  data.erase(data.begin() + tab);
  platform::DestroyHandle(page);
}

void ClearItems(GadgetObject& g) {
  while (platform::TabCount(g.handle) > 0) DeleteItem(g, 0);
}

int ItemCount(GadgetObject& g) { return platform::TabCount(g.handle); }

// The shown page follows the panel.
void Place(GadgetObject& g, const PixelRect& rect) {
  platform::MoveControl(g.handle, rect);
  platform::ShowTabPage(g.handle, true);
}

// -2 is the panel itself.
void OpenItem(GadgetObject& g, int tab) {
  if (tab == -2) {
    PushGadgetParent(g.handle);
  } else if (Handle page = platform::TabPage(g.handle, tab)) {
    PushGadgetParent(page);
  }
}

std::intptr_t ReadItemData(GadgetObject& g, int tab) {
  return Exists(g, tab) ? TabData(g)[static_cast<size_t>(tab)] : 0;
}

void WriteItemData(GadgetObject& g, int tab, std::intptr_t value) {
  if (Exists(g, tab)) TabData(g)[static_cast<size_t>(tab)] = value;
}

}  // namespace

const GadgetKind& detail::PanelKind() {
  static const GadgetKind kind = [] {
    GadgetKind panel = platform::KindSlots(platform::PanelRecord());
    panel.readState = Selected;
    panel.writeState = WriteState;
    panel.readText = ReadText;
    panel.writeText = WriteText;
    panel.insertItem = InsertItem;
    panel.deleteItem = DeleteItem;
    panel.clearItems = ClearItems;
    panel.place = Place;
    panel.itemCount = ItemCount;
    panel.readItemText = ReadItemText;
    panel.writeItemText = WriteItemText;
    panel.openItem = OpenItem;
    panel.writeItemData = WriteItemData;
    panel.readItemData = ReadItemData;
    return panel;
  }();
  return kind;
}

}  // namespace kv

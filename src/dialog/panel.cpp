// Panels and their tab pages. A panel collects the gadgets of its pages while
// its element is built; a tab adds a page to the innermost panel being built.
#include <algorithm>

#include "dialog/detail/attributes.h"
#include "dialog/detail/build.h"
#include "dialog/detail/elements.h"
#include "dialog/detail/items.h"
#include "toolkit/gadgets.h"

namespace kv::dialog {

namespace {

constexpr int kTabMargin = 10;
// What a panel adds around its largest page: its frame, and 2 below the tabs.
constexpr int kPanelFrameWidth = 4;
constexpr int kPanelFrameHeight = 2;

TabItem& AsTab(LayoutItem& item) { return static_cast<TabItem&>(item); }

// ---- Panel ---------------------------------------------------------------------------

void AddPanelChild(LayoutItem& panel, ItemPtr child, const XmlNode* element) {
  if (child->kind == ElementKind::Tab) AppendChild(panel, std::move(child), element);
}

Size PanelNaturalSize(LayoutItem& panel) {
  Size largest;
  for (ItemPtr& tab : panel.children) {
    Size need = RequiredSize(*tab);
    largest = {std::max(largest.width, need.width), std::max(largest.height, need.height)};
  }
  int tabRow = ReadGadgetAttribute(panel.gadget, KV_Panel_TabHeight);
  std::int64_t width = std::int64_t{largest.width} + kPanelFrameWidth;
  std::int64_t height = std::int64_t{largest.height} + tabRow + kPanelFrameHeight;
  return {std::max(Saturate(width), panel.width), std::max(Saturate(height), panel.height)};
}

// Every page gets the size of the shown page after the panel is resized.
void PlacePanel(LayoutItem& panel, Rect area) {
  PlaceGadget(panel.gadget, area.x, area.y, area.width, area.height);
  Rect page{0, 0, ReadGadgetAttribute(panel.gadget, KV_Panel_ItemWidth),
            ReadGadgetAttribute(panel.gadget, KV_Panel_ItemHeight)};
  for (ItemPtr& tab : panel.children) SetGeometry(*tab, page);
}

// The pages are complete: the gadgets that follow go where they went before.
void FinishPanel(LayoutItem& panel, Build& build) {
  if (panel.gadget != -1) PopGadgetParent();
  if (!build.panels.empty()) build.panels.pop_back();
}

const ItemClass kPanelClass{
    .naturalSize = PanelNaturalSize,
    .setGeometry = PlacePanel,
    .addChild = AddPanelChild,
    .finish = FinishPanel,
};

// ---- Tab -----------------------------------------------------------------------------

Size TabNaturalSize(LayoutItem& item) { return ContainerNaturalSize(AsTab(item)); }

// In page coordinates, whatever position the panel gives.
void PlaceTab(LayoutItem& item, Rect area) {
  PlaceContainerChild(AsTab(item), {0, 0, area.width, area.height});
}

void ReapplyTabText(LayoutItem& item) {
  TabItem& tab = AsTab(item);
  WriteGadgetItemText(tab.panel, tab.pageIndex, tab.text);
  for (ItemPtr& child : tab.children) ReapplyText(*child);
}

const ItemClass kTabClass{
    .naturalSize = TabNaturalSize,
    .setGeometry = PlaceTab,
    .addChild = ReplaceChild,
    .reapplyText = ReapplyTabText,
};

}  // namespace

ItemPtr CreatePanel(const XmlNode* element, const ElementType& type, Build& build) {
  auto panel = NewItem<LayoutItem>(kPanelClass, type.kind);
  ReadCommonAttributes(*panel, element, type, build);
  if (build.Failed()) return nullptr;
  panel->gadget = CreatedNumber(*panel, NewPanel(CreationNumber(*panel), 0, 0, 0, 0));
  if (panel->gadget != -1) BindEventAttributes(*panel, element, type, build);
  build.panels.push_back({panel->gadget, 0});
  return panel;
}

ItemPtr CreateTab(const XmlNode* element, const ElementType& type, Build& build) {
  if (build.panels.empty()) {
    build.Fail(TabWithoutPanelError());
    return nullptr;
  }
  auto tab = NewItem<TabItem>(kTabClass, type.kind);
  ReadCommonAttributes(*tab, element, type, build);
  ReadContainerAttributes(*tab, element, kTabMargin);
  if (build.Failed()) return nullptr;
  OpenPanel& panel = build.panels.back();
  tab->panel = panel.gadget;
  tab->pageIndex = panel.tabCount++;
  // The new page becomes the parent of the gadgets that follow.
  InsertGadgetItem(panel.gadget, tab->pageIndex, tab->text);
  return tab;
}

}  // namespace kv::dialog

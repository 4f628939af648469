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

struct PanelItem : LayoutItem {
  using LayoutItem::LayoutItem;

  void AddChild(ItemPtr child, const XmlNode*, Build&) override {
    if (child->kind == ElementKind::Tab) children.push_back(std::move(child));
  }

  Size NaturalSize() override {
    Size largest;
    for (ItemPtr& tab : children) {
      Size need = tab->RequiredSize();
      largest = {std::max(largest.width, need.width), std::max(largest.height, need.height)};
    }
    int tabRow = ReadGadgetAttribute(gadget, KV_Panel_TabHeight);
    std::int64_t w = std::int64_t{largest.width} + kPanelFrameWidth;
    std::int64_t h = std::int64_t{largest.height} + tabRow + kPanelFrameHeight;
    return {std::max(Saturate(w), width), std::max(Saturate(h), height)};
  }

  // The pages are complete: the gadgets that follow go where they went before.
  void Finish(Build& build) override {
    if (gadget != -1) PopGadgetParent();
    if (!build.panels.empty()) build.panels.pop_back();
  }

 protected:
  // Every page gets the size of the shown page after the panel is resized.
  void Place(Rect area) override {
    PlaceGadget(gadget, area.x, area.y, area.width, area.height);
    Rect page{0, 0, ReadGadgetAttribute(gadget, KV_Panel_ItemWidth),
              ReadGadgetAttribute(gadget, KV_Panel_ItemHeight)};
    for (ItemPtr& tab : children) tab->SetGeometry(page);
  }
};

struct TabItem : ContainerItem {
  using ContainerItem::ContainerItem;

  void ReapplyText() override {
    WriteGadgetItemText(panel, pageIndex, text);
    for (ItemPtr& child : children) child->ReapplyText();
  }

  int panel = -1;  // the panel gadget
  int pageIndex = 0;

 protected:
  // In page coordinates, whatever position the panel gives.
  void Place(Rect area) override { PlaceChild({0, 0, area.width, area.height}); }
};

}  // namespace

ItemPtr CreatePanel(const XmlNode* element, const ElementType& type, Build& build) {
  auto panel = std::make_unique<PanelItem>(type.kind);
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
  auto tab = std::make_unique<TabItem>(type.kind);
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

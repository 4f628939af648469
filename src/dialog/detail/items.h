// The item classes and the element creators.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "dialog/detail/layout_item.h"
#include "toolkit/top_windows.h"

namespace kv::dialog {

struct Build;
struct ElementType;

// A gadget sized by what the toolkit measures, raised to the attribute
// minimums; folded and -1 do not change it.
struct MeasuredItem : LayoutItem {
  using LayoutItem::LayoutItem;
  Size RequiredSize() override { return NaturalSize(); }
  Size NaturalSize() override;
};

// Every option; a grouped one is numbered by its serial until its gadget
// exists.
struct OptionItem : MeasuredItem {
  using MeasuredItem::MeasuredItem;
  int serial = 0;  // 0: not grouped
};

// hbox and vbox.
struct BoxItem : LayoutItem {
  enum class Expand { Yes, No, Equal, Item };
  enum class Align { Start, Center, End };

  using LayoutItem::LayoutItem;
  Size NaturalSize() override;
  void AddChild(ItemPtr child, const XmlNode* element, Build& build) override;

  bool horizontal = false;
  int spacing = 5;
  Expand expandMode = Expand::Yes;
  int expandItem = 0;  // 0-based child index for Expand::Item
  Align align = Align::Start;
  // Filled by the last required-size pass; one entry per child.
  std::vector<int> childMainSizes;
  int totalMainSize = 0;
  int foldedCount = 0;

 protected:
  void Place(Rect area) override;
};

// multibox: every child on the same area.
struct MultiItem : LayoutItem {
  using LayoutItem::LayoutItem;
  Size NaturalSize() override;
  void AddChild(ItemPtr child, const XmlNode* element, Build& build) override;

 protected:
  void Place(Rect area) override;
};

// One child inside margins: singlebox, and the base of the window, tabs and
// the containers with a gadget. A later child replaces the earlier one.
struct ContainerItem : LayoutItem {
  using LayoutItem::LayoutItem;
  // Child plus margins, raised to the attribute minimums.
  Size NaturalSize() override;
  void AddChild(ItemPtr child, const XmlNode* element, Build& build) override;

  int marginTop = 10;
  int marginBottom = 10;
  int marginLeft = 10;
  int marginRight = 10;
  bool expandHorizontal = true;
  bool expandVertical = true;
  int expandWidth = 0;   // caps; 0 is none
  int expandHeight = 0;
  int alignVertical = 0;    // 0 not given, 1 top, 2 center, 3 bottom
  int alignHorizontal = 0;  // 0 not given, 1 left, 2 center, 3 right
  // The child's required size from the last required-size pass.
  int childWidth = 0;
  int childHeight = 0;

 protected:
  // The container rule applied to area itself.
  void Place(Rect area) override { PlaceChild(area); }
  LayoutItem* Child() const { return children.empty() ? nullptr : children.front().get(); }
  // Asks the child and keeps its size; 0 x 0 without a child.
  Size MeasureChild();
  // The child's rectangle by the container rule: inside area less the
  // margins, narrowed and aligned as the expand, cap and align settings say.
  Rect ChildArea(Rect area) const;
  void PlaceChild(Rect area);
};

struct WindowItem : ContainerItem {
  static constexpr std::int16_t kNotGiven = -2;
  static constexpr std::int16_t kAuto = -1;

  using ContainerItem::ContainerItem;
  Size NaturalSize() override;

  int window = -1;
  Handle handle = 0;  // tells the window from a later one at the same number
  std::int16_t minWidth = kNotGiven;
  std::int16_t minHeight = kNotGiven;
  std::int16_t maxWidth = kNotGiven;
  std::int16_t maxHeight = kNotGiven;

 protected:
  void Place(Rect area) override;
};

// Shared by the element creators.
int CreationNumber(const LayoutItem& item);
int CreatedNumber(const LayoutItem& item, Handle created);

// Element creators: read the element's attributes, create its gadget and
// return the item; null when the build failed meanwhile.
ItemPtr CreateBox(const XmlNode* element, const ElementType& type, Build& build);
ItemPtr CreateEmpty(const XmlNode* element, const ElementType& type, Build& build);
ItemPtr CreateGadget(const XmlNode* element, const ElementType& type, Build& build);
ItemPtr CreateOption(const XmlNode* element, const ElementType& type, Build& build);
ItemPtr CreatePanel(const XmlNode* element, const ElementType& type, Build& build);
ItemPtr CreateTab(const XmlNode* element, const ElementType& type, Build& build);
ItemPtr CreateGrid(const XmlNode* element, const ElementType& type, Build& build);
ItemPtr CreateSingleBox(const XmlNode* element, const ElementType& type, Build& build);
ItemPtr CreateMultiBox(const XmlNode* element, const ElementType& type, Build& build);
ItemPtr CreateContainer(const XmlNode* element, const ElementType& type, Build& build);
ItemPtr CreateCanvas(const XmlNode* element, const ElementType& type, Build& build);
ItemPtr CreateFrame(const XmlNode* element, const ElementType& type, Build& build);
ItemPtr CreateScrollArea(const XmlNode* element, const ElementType& type, Build& build);
ItemPtr CreateSplitter(const XmlNode* element, const ElementType& type, Build& build);
// Elements whose component this build lacks: a build error naming both.
ItemPtr RefuseElement(const XmlNode* element, const ElementType& type, Build& build);
// The window item, without its window (see OpenDialogWindow).
std::unique_ptr<WindowItem> CreateWindowItem(const XmlNode* element, Build& build);

}  // namespace kv::dialog

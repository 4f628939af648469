// The item classes with fields of their own, and the element creators.
#pragma once

#include <cstdint>
#include <vector>

#include "dialog/detail/layout_item.h"
#include "toolkit/windows.h"

namespace kv::dialog {

struct Build;
struct ElementType;

// hbox and vbox.
struct BoxItem : LayoutItem {
  enum class Expand { Yes, No, Equal, Item };
  enum class Align { Start, Center, End };

  using LayoutItem::LayoutItem;
  bool horizontal = false;
  int spacing = 5;
  Expand expandMode = Expand::Yes;
  int expandItem = 0;  // 0-based child index for Expand::Item
  Align align = Align::Start;
  // Filled by the last required-size pass; one entry per child.
  std::vector<int> childMainSizes;
  int totalMainSize = 0;
  int foldedCount = 0;
};

// One child inside margins: the window, tabs, and the single-child containers.
struct ContainerItem : LayoutItem {
  using LayoutItem::LayoutItem;
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
};

struct WindowItem : ContainerItem {
  static constexpr std::int16_t kNotGiven = -2;
  static constexpr std::int16_t kAuto = -1;

  using ContainerItem::ContainerItem;
  int window = -1;
  Handle handle = 0;  // tells the window from a later one at the same number
  std::int16_t minWidth = kNotGiven;
  std::int16_t minHeight = kNotGiven;
  std::int16_t maxWidth = kNotGiven;
  std::int16_t maxHeight = kNotGiven;
};

struct TabItem : ContainerItem {
  using ContainerItem::ContainerItem;
  int panel = -1;  // the panel gadget
  int pageIndex = 0;
};

// The container placement rule: places the container's child inside area
// less the margins, as its expand, cap and align settings say.
void PlaceContainerChild(ContainerItem& container, Rect area);
// Child plus margins, raised to the attribute minimums; refreshes the cache.
Size ContainerNaturalSize(ContainerItem& container);

// The number to create an item's gadget or window at, and its number once
// created (-1 when the toolkit made none).
int CreationNumber(const LayoutItem& item);
int CreatedNumber(const LayoutItem& item, Handle created);

// Element creators: read the element's attributes, create its gadget and
// return the item; null when the build failed meanwhile.
ItemPtr CreateBox(const XmlNode* element, const ElementType& type, Build& build);
ItemPtr CreateEmpty(const XmlNode* element, const ElementType& type, Build& build);
ItemPtr CreateGadget(const XmlNode* element, const ElementType& type, Build& build);
ItemPtr CreatePanel(const XmlNode* element, const ElementType& type, Build& build);
ItemPtr CreateTab(const XmlNode* element, const ElementType& type, Build& build);
// The window item, without its window (see OpenDialogWindow).
std::unique_ptr<WindowItem, ItemDeleter> CreateWindowItem(const XmlNode* element, Build& build);

}  // namespace kv::dialog

// The layout tree: one item per built element. Item classes are tables of
// operation slots; an empty slot falls back to the base behaviour named at it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "dialog/detail/geometry.h"
#include "runtime/text.h"
#include "xml/tree.h"

namespace kv::dialog {

// One code per element name of the description format.
enum class ElementKind : std::uint8_t {
  Window, HBox, VBox, GridBox, SingleBox, MultiBox, Empty, CheckBox, Button, Text, Option,
  String, Shortcut, Image, ButtonImage, ListView, ListIcon, Tree, ComboBox, Calendar, Date,
  ExplorerCombo, ExplorerList, ExplorerTree, Editor, HyperLink, IpAddress, Scintilla, ScrollBar,
  ProgressBar, TrackBar, Spin, Web, Canvas, Container, Frame, Panel, Tab, ScrollArea, Splitter,
};

struct Build;
struct LayoutItem;

struct ItemDeleter {
  void operator()(LayoutItem* item) const;  // runs the class's destroy slot first
};
using ItemPtr = std::unique_ptr<LayoutItem, ItemDeleter>;

// The operations of an item class, in slot order.
struct ItemClass {
  // 1. The smallest size the item needs. Base: 0 x 0 when folded, else the
  // natural size with -1 in width or height reported as 0.
  Size (*requiredSize)(LayoutItem&) = nullptr;
  // 2. The class's own size rule. Base: (width, height).
  Size (*naturalSize)(LayoutItem&) = nullptr;
  // 3. Places the item and its children. Base: places its gadget.
  void (*setGeometry)(LayoutItem&, Rect) = nullptr;
  // 4. Adopts a built child made from element. Base: drops it (its gadgets
  // stay where they are).
  void (*addChild)(LayoutItem&, ItemPtr child, const XmlNode* element) = nullptr;
  // 5. Base: hides or shows the gadget and the children's; folded items stay
  // hidden.
  void (*setHidden)(LayoutItem&, bool hidden) = nullptr;
  // 6. Base: the first item of the subtree in pre-order named name (ignoring
  // case), or null.
  LayoutItem* (*findByName)(LayoutItem&, TextView name) = nullptr;
  // 7. After all children are built. Base: nothing.
  void (*finish)(LayoutItem&, Build&) = nullptr;
  // 8. Base: sets the gadget's text again when the item has one, then the
  // children's.
  void (*reapplyText)(LayoutItem&) = nullptr;
  // 9. Releases what the item holds outside the tree. Base: nothing; the item,
  // its children and its texts are freed afterwards in any case.
  void (*destroy)(LayoutItem&) = nullptr;
};

struct LayoutItem {
  LayoutItem(const ItemClass& itemClass, ElementKind elementKind)
      : cls(&itemClass), kind(elementKind) {}
  virtual ~LayoutItem() = default;
  LayoutItem(const LayoutItem&) = delete;
  LayoutItem& operator=(const LayoutItem&) = delete;

  const ItemClass* cls;
  int gadget = -1;       // -1: the item has no gadget
  int requestedId = -1;  // -1: an automatic number
  std::uint32_t flags = 0;
  ElementKind kind;
  bool folded = false;
  int width = 0;   // attribute minimums; -1 reports 0 with the base size rule
  int height = 0;
  Text name;  // empty: none
  Text text;
  // Boxes and panels keep all their children here, containers at most one.
  std::vector<ItemPtr> children;
  Rect placed;  // the area of the last SetGeometry, for inspection
};

template <class Item>
std::unique_ptr<Item, ItemDeleter> NewItem(const ItemClass& itemClass, ElementKind kind) {
  return std::unique_ptr<Item, ItemDeleter>(new Item(itemClass, kind));
}

// The slot calls, with their fallbacks.
Size RequiredSize(LayoutItem& item);
Size NaturalSize(LayoutItem& item);
void SetGeometry(LayoutItem& item, Rect area);
void AddChild(LayoutItem& parent, ItemPtr child, const XmlNode* element);
void SetHidden(LayoutItem& item, bool hidden);
LayoutItem* FindByName(LayoutItem& item, TextView name);
void Finish(LayoutItem& item, Build& build);
void ReapplyText(LayoutItem& item);

// The base AddChild of classes that keep every child, and the one of
// containers, whose new child replaces the old one.
void AppendChild(LayoutItem& parent, ItemPtr child, const XmlNode* element);
void ReplaceChild(LayoutItem& parent, ItemPtr child, const XmlNode* element);

}  // namespace kv::dialog

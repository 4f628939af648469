// The layout tree: one item per built element. Item classes derive from
// LayoutItem and override the operations whose base behaviour does not fit
// them.
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

using ItemPtr = std::unique_ptr<LayoutItem>;

// A grouped option waiting for its parent to be finished. Its item may be
// gone by then, when the parent kept a later child instead; the serial finds
// it when it is not.
struct PendingOption {
  int serial;
  int group;
  const XmlNode* element;
  Text text;
  int requestedId;
};

// The base class is also the item of "empty" and of gadgets sized by their
// attributes alone. Destroying an item destroys its children; its gadget
// belongs to the toolkit and stays.
struct LayoutItem {
  explicit LayoutItem(ElementKind elementKind) : kind(elementKind) {}
  virtual ~LayoutItem() = default;
  LayoutItem(const LayoutItem&) = delete;
  LayoutItem& operator=(const LayoutItem&) = delete;

  // The smallest size the item needs. Base: 0 x 0 when folded, else the
  // natural size with -1 in width or height reported as 0. Containers cache
  // what their placement needs here, so it runs before SetGeometry.
  virtual Size RequiredSize();
  // The class's own size rule. Base: (width, height).
  virtual Size NaturalSize();
  // Places the item and its children, and keeps the area for inspection.
  void SetGeometry(Rect area) {
    placed = area;
    Place(area);
  }
  // Adopts a built child made from element. Base: drops it (its gadgets stay
  // where they are).
  virtual void AddChild(ItemPtr child, const XmlNode* element, Build& build);
  // After all children are built. Base: nothing.
  virtual void Finish(Build& build);
  // Sets the gadget's text again when the item has one, then the children's.
  virtual void ReapplyText();
  // Hides or shows the gadget and the children's; folded items stay hidden.
  void SetHidden(bool hidden);
  // The first item of the subtree in pre-order named name (ignoring case).
  LayoutItem* FindByName(TextView name);

  int gadget = -1;       // -1: the item has no gadget
  int requestedId = -1;  // -1: an automatic number
  std::uint32_t flags = 0;
  ElementKind kind;
  bool folded = false;
  int width = 0;   // attribute minimums; -1 reports 0 with the base size rule
  int height = 0;
  Text name;  // empty: none
  Text text;
  // Boxes, grids and panels keep all their children here, containers at most
  // one, a splitter two.
  std::vector<ItemPtr> children;
  std::vector<PendingOption> pendingOptions;  // in document order
  Rect placed;  // the area of the last SetGeometry

 protected:
  // SetGeometry's work. Base: places the gadget.
  virtual void Place(Rect area);
};

}  // namespace kv::dialog

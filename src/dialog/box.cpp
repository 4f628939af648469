// hbox and vbox: children in a row or a column.
#include <algorithm>

#include "dialog/detail/attributes.h"
#include "dialog/detail/build.h"
#include "dialog/detail/elements.h"
#include "dialog/detail/items.h"

namespace kv::dialog {

namespace {

BoxItem& AsBox(LayoutItem& item) { return static_cast<BoxItem&>(item); }

// Sizes along the box ("main") and across it, whichever the orientation.
struct Axes {
  bool horizontal;
  int Main(Size s) const { return horizontal ? s.width : s.height; }
  int Cross(Size s) const { return horizontal ? s.height : s.width; }
  Size Make(int main, int cross) const {
    return horizontal ? Size{main, cross} : Size{cross, main};
  }
};

void AddBoxChild(LayoutItem& item, ItemPtr child, const XmlNode* element) {
  AsBox(item).childMainSizes.push_back(0);
  AppendChild(item, std::move(child), element);
}

Size BoxNaturalSize(LayoutItem& item) {
  BoxItem& box = AsBox(item);
  Axes axes{box.horizontal};
  // 1. Without children the caches keep what they hold.
  box.foldedCount = 0;
  std::int64_t total = 0;
  int cross = 0;
  if (!box.children.empty()) {
    // 2. Ask every child.
    int largest = 0;
    for (size_t i = 0; i < box.children.size(); ++i) {
      LayoutItem& child = *box.children[i];
      Size need = RequiredSize(child);
      total += axes.Main(need);
      cross = std::max(cross, axes.Cross(need));
      largest = std::max(largest, axes.Main(need));
      box.childMainSizes[i] = axes.Main(need);
      if (child.folded) ++box.foldedCount;
    }
    // 3. Equal shares take the largest child's size each.
    std::int64_t placed = static_cast<std::int64_t>(box.children.size()) - box.foldedCount;
    if (box.expandMode == BoxItem::Expand::Equal) total = placed * largest;
    // 4. Spacing between the placed children.
    if (placed > 0) total += (placed - 1) * box.spacing;
    box.totalMainSize = Saturate(total);
  }
  // 5. Raised to the attribute minimums.
  Size least{box.width, box.height};
  return axes.Make(std::max(Saturate(total), axes.Main(least)), std::max(cross, axes.Cross(least)));
}

// How the main length L is shared among the placed children.
enum class Share {
  Equal,   // 3. Equal parts; the remainder stays unused at the end.
  Shrink,  // 4. 0 < L < total: every child in proportion to its need.
  Grow,    // 5. Every child grows by the same extra; the remainder stays unused.
  Keep,    // 6. Every child keeps its need; the item child takes the surplus.
};

Share ShareFor(const BoxItem& box, std::int64_t length) {
  if (box.expandMode == BoxItem::Expand::Equal) return Share::Equal;
  if (length > 0 && length < box.totalMainSize) return Share::Shrink;
  if (box.expandMode == BoxItem::Expand::Yes) return Share::Grow;
  return Share::Keep;
}

int SizeOf(const BoxItem& box, Share share, size_t i, std::int64_t length,
           std::int64_t placed) {
  std::int64_t need = box.childMainSizes[i];
  std::int64_t total = box.totalMainSize;
  switch (share) {
    case Share::Equal: return Saturate((length - (placed - 1) * box.spacing) / placed);
    case Share::Shrink: return Saturate(need * length / total);
    case Share::Grow: return Saturate(need + (length - total) / placed);
    case Share::Keep: break;
  }
  bool takesSurplus = box.expandMode == BoxItem::Expand::Item &&
                      static_cast<std::int64_t>(i) == box.expandItem;
  return Saturate(takesSurplus ? need + length - total : need);
}

// Where the run starts: children that keep their size are aligned as a
// whole when no child takes the surplus.
std::int64_t RunShift(const BoxItem& box, Share share, std::int64_t length) {
  if (share != Share::Keep || box.expandMode != BoxItem::Expand::No) return 0;
  std::int64_t surplus = length - box.totalMainSize;
  if (box.align == BoxItem::Align::Center) return surplus / 2;
  if (box.align == BoxItem::Align::End) return surplus;
  return 0;
}

void PlaceBox(LayoutItem& item, Rect area) {
  BoxItem& box = AsBox(item);
  bool horizontal = box.horizontal;
  // 1. Nothing to place without unfolded children.
  std::int64_t placed = static_cast<std::int64_t>(box.children.size()) - box.foldedCount;
  if (placed <= 0) return;
  // 2. Each placed child gets the whole cross size; folded ones are skipped.
  // 3. to 6. Each gets its share of the main length, one after the other.
  std::int64_t length = horizontal ? area.width : area.height;
  Share share = ShareFor(box, length);
  std::int64_t position = (horizontal ? area.x : area.y) + RunShift(box, share, length);
  for (size_t i = 0; i < box.children.size(); ++i) {
    LayoutItem& child = *box.children[i];
    if (child.folded) continue;
    int size = SizeOf(box, share, i, length, placed);
    int at = Saturate(position);
    SetGeometry(child, horizontal ? Rect{at, area.y, size, area.height}
                                  : Rect{area.x, at, area.width, size});
    position += std::int64_t{size} + box.spacing;
  }
}

const ItemClass kBoxClass{
    .naturalSize = BoxNaturalSize,
    .setGeometry = PlaceBox,
    .addChild = AddBoxChild,
};

}  // namespace

ItemPtr CreateBox(const XmlNode* element, const ElementType& type, Build& build) {
  auto box = NewItem<BoxItem>(kBoxClass, type.kind);
  box->horizontal = type.kind == ElementKind::HBox;
  ReadCommonAttributes(*box, element, type, build);
  ReadBoxAttributes(*box, element);
  return box;
}

}  // namespace kv::dialog

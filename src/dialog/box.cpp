// hbox and vbox: children in a row or a column; multibox: children on top of
// each other.
#include <algorithm>

#include "dialog/detail/attributes.h"
#include "dialog/detail/build.h"
#include "dialog/detail/elements.h"
#include "dialog/detail/items.h"

namespace kv::dialog {

namespace {

// Sizes along the box ("main") and across it, whichever the orientation.
struct Axes {
  bool horizontal;
  int Main(Size s) const { return horizontal ? s.width : s.height; }
  int Cross(Size s) const { return horizontal ? s.height : s.width; }
  Size Make(int main, int cross) const {
    return horizontal ? Size{main, cross} : Size{cross, main};
  }
};

// How the main length L is shared among the placed children.
enum class Share {
  Equal,   // equal parts; the remainder stays unused at the end
  Shrink,  // 0 < L < total: every child in proportion to its need
  Grow,    // every child grows by the same extra; the remainder stays unused
  Keep,    // every child keeps its need; the item child takes the surplus
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

}  // namespace

void BoxItem::AddChild(ItemPtr child, const XmlNode*, Build&) {
  childMainSizes.push_back(0);
  children.push_back(std::move(child));
}

// Without children the caches keep what they hold. Folded children count
// with their size but get no spacing; equal shares take the largest size
// each.
Size BoxItem::NaturalSize() {
  Axes axes{horizontal};
  foldedCount = 0;
  std::int64_t total = 0;
  int cross = 0;
  if (!children.empty()) {
    int largest = 0;
    for (size_t i = 0; i < children.size(); ++i) {
      LayoutItem& child = *children[i];
      Size need = child.RequiredSize();
      total += axes.Main(need);
      cross = std::max(cross, axes.Cross(need));
      largest = std::max(largest, axes.Main(need));
      childMainSizes[i] = axes.Main(need);
      if (child.folded) ++foldedCount;
    }
    std::int64_t shown = static_cast<std::int64_t>(children.size()) - foldedCount;
    if (expandMode == Expand::Equal) total = shown * largest;
    if (shown > 0) total += (shown - 1) * spacing;
    totalMainSize = Saturate(total);
  }
  Size least{width, height};
  return axes.Make(std::max(Saturate(total), axes.Main(least)),
                   std::max(cross, axes.Cross(least)));
}

// Each unfolded child gets the whole cross size and its share of the main
// length, one after the other; folded ones are skipped.
void BoxItem::Place(Rect area) {
  std::int64_t shown = static_cast<std::int64_t>(children.size()) - foldedCount;
  if (shown <= 0) return;
  std::int64_t length = horizontal ? area.width : area.height;
  Share share = ShareFor(*this, length);
  std::int64_t position = (horizontal ? area.x : area.y) + RunShift(*this, share, length);
  for (size_t i = 0; i < children.size(); ++i) {
    LayoutItem& child = *children[i];
    if (child.folded) continue;
    int size = SizeOf(*this, share, i, length, shown);
    int at = Saturate(position);
    child.SetGeometry(horizontal ? Rect{at, area.y, size, area.height}
                                 : Rect{area.x, at, area.width, size});
    position += std::int64_t{size} + spacing;
  }
}

void MultiItem::AddChild(ItemPtr child, const XmlNode*, Build&) {
  children.push_back(std::move(child));
}

Size MultiItem::NaturalSize() {
  Size largest{width, height};
  for (ItemPtr& child : children) {
    Size need = child->RequiredSize();
    largest = {std::max(largest.width, need.width), std::max(largest.height, need.height)};
  }
  return largest;
}

// Folded children too: they share the area with the others.
void MultiItem::Place(Rect area) {
  for (ItemPtr& child : children) child->SetGeometry(area);
}

ItemPtr CreateBox(const XmlNode* element, const ElementType& type, Build& build) {
  auto box = std::make_unique<BoxItem>(type.kind);
  box->horizontal = type.kind == ElementKind::HBox;
  ReadCommonAttributes(*box, element, type, build);
  ReadBoxAttributes(*box, element);
  return box;
}

ItemPtr CreateMultiBox(const XmlNode* element, const ElementType& type, Build& build) {
  auto multi = std::make_unique<MultiItem>(type.kind);
  ReadCommonAttributes(*multi, element, type, build);
  return multi;
}

}  // namespace kv::dialog

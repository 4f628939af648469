// Containers of one child: the container rule, singlebox and the window item.
#include <algorithm>

#include "dialog/detail/attributes.h"
#include "dialog/detail/build.h"
#include "dialog/detail/elements.h"
#include "dialog/detail/items.h"
#include "runtime/constants.h"
#include "toolkit/top_windows.h"

namespace kv::dialog {

namespace {

constexpr int kWindowMargin = 8;
constexpr int kSingleBoxMargin = 10;

// One direction of the container rule: a child that needs less than the
// room is narrowed when it must not expand or is capped, then aligned in
// the room.
void FitAlong(int need, bool expand, int cap, int align, std::int64_t* position,
              std::int64_t* length) {
  std::int64_t room = *length;
  if (need >= room) return;
  if (!expand) {
    *length = need;
  } else if (cap > 0 && cap < room) {
    *length = std::max(cap, need);
  }
  if (align == 2) *position += (room - *length) / 2;
  if (align == 3) *position += room - *length;
}

// A window's size bound for a given minimum, which also raises *size.
int MinimumBound(std::int16_t given, int* size) {
  if (given == WindowItem::kNotGiven) return KEEP_CURRENT;
  if (given == WindowItem::kAuto) return *size;
  *size = std::max(*size, int{given});
  return given;
}

int MaximumBound(std::int16_t given, int size) {
  if (given == WindowItem::kNotGiven) return KEEP_CURRENT;
  return given == WindowItem::kAuto ? size : given;
}

}  // namespace

void ContainerItem::AddChild(ItemPtr child, const XmlNode*, Build&) {
  children.clear();
  children.push_back(std::move(child));
}

Size ContainerItem::MeasureChild() {
  Size child = Child() ? Child()->RequiredSize() : Size{};
  childWidth = child.width;
  childHeight = child.height;
  return child;
}

Size ContainerItem::NaturalSize() {
  Size child = MeasureChild();
  std::int64_t w = std::int64_t{child.width} + marginLeft + marginRight;
  std::int64_t h = std::int64_t{child.height} + marginTop + marginBottom;
  return {std::max(Saturate(w), width), std::max(Saturate(h), height)};
}

Rect ContainerItem::ChildArea(Rect area) const {
  std::int64_t x = std::int64_t{area.x} + marginLeft;
  std::int64_t y = std::int64_t{area.y} + marginTop;
  std::int64_t w = std::int64_t{area.width} - marginLeft - marginRight;
  std::int64_t h = std::int64_t{area.height} - marginTop - marginBottom;
  FitAlong(childWidth, expandHorizontal, expandWidth, alignHorizontal, &x, &w);
  FitAlong(childHeight, expandVertical, expandHeight, alignVertical, &y, &h);
  return {Saturate(x), Saturate(y), Saturate(w), Saturate(h)};
}

void ContainerItem::PlaceChild(Rect area) {
  if (LayoutItem* child = Child()) child->SetGeometry(ChildArea(area));
}

// The container's size, then the window's size bounds when any was given;
// they are set again at every pass since "auto" follows the content.
Size WindowItem::NaturalSize() {
  Size size = ContainerItem::NaturalSize();
  if (minWidth == kNotGiven && minHeight == kNotGiven && maxWidth == kNotGiven &&
      maxHeight == kNotGiven) {
    return size;
  }
  int leastWidth = MinimumBound(minWidth, &size.width);
  int leastHeight = MinimumBound(minHeight, &size.height);
  SetWindowSizeLimits(window, leastWidth, leastHeight, MaximumBound(maxWidth, size.width),
                      MaximumBound(maxHeight, size.height));
  return size;
}

// The child fills the inner area less the margins, whatever the window's
// expand and align settings.
void WindowItem::Place(Rect area) {
  LayoutItem* child = Child();
  if (!child) return;
  std::int64_t horizontal = std::int64_t{marginLeft} + marginRight;
  std::int64_t vertical = std::int64_t{marginTop} + marginBottom;
  child->SetGeometry({marginLeft, marginTop, Saturate(area.width - horizontal),
                      Saturate(area.height - vertical)});
}

ItemPtr CreateSingleBox(const XmlNode* element, const ElementType& type, Build& build) {
  auto box = std::make_unique<ContainerItem>(type.kind);
  ReadCommonAttributes(*box, element, type, build);
  ReadContainerAttributes(*box, element, kSingleBoxMargin);
  return box;
}

std::unique_ptr<WindowItem> CreateWindowItem(const XmlNode* element, Build& build) {
  auto window = std::make_unique<WindowItem>(ElementKind::Window);
  ReadCommonAttributes(*window, element, ElementTypeOf(ElementKind::Window), build);
  ReadContainerAttributes(*window, element, kWindowMargin);
  window->expandHorizontal = window->expandVertical = false;
  ReadWindowBounds(*window, element);
  return window;
}

}  // namespace kv::dialog

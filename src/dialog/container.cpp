// Containers of one child, and the window item.
#include <algorithm>

#include "dialog/detail/attributes.h"
#include "dialog/detail/build.h"
#include "dialog/detail/elements.h"
#include "dialog/detail/items.h"
#include "runtime/constants.h"
#include "toolkit/windows.h"

namespace kv::dialog {

namespace {

constexpr int kWindowMargin = 8;

WindowItem& AsWindow(LayoutItem& item) { return static_cast<WindowItem&>(item); }

// Steps 2 and 3 of the placement rule along one direction: a child that
// needs less than the room is narrowed when it must not expand or is capped,
// then aligned in the room.
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

// The container's size, then the window's size bounds when any was given;
// they are set again at every pass since "auto" follows the content.
Size WindowNaturalSize(LayoutItem& item) {
  WindowItem& window = AsWindow(item);
  Size size = ContainerNaturalSize(window);
  constexpr std::int16_t kNone = WindowItem::kNotGiven;
  if (window.minWidth == kNone && window.minHeight == kNone && window.maxWidth == kNone &&
      window.maxHeight == kNone) {
    return size;
  }
  int minWidth = MinimumBound(window.minWidth, &size.width);
  int minHeight = MinimumBound(window.minHeight, &size.height);
  SetWindowSizeLimits(window.window, minWidth, minHeight, MaximumBound(window.maxWidth, size.width),
                      MaximumBound(window.maxHeight, size.height));
  return size;
}

// The child fills the inner area less the margins, whatever the window's
// expand and align settings.
void PlaceWindowContent(LayoutItem& item, Rect area) {
  WindowItem& window = AsWindow(item);
  if (window.children.empty()) return;
  std::int64_t horizontal = std::int64_t{window.marginLeft} + window.marginRight;
  std::int64_t vertical = std::int64_t{window.marginTop} + window.marginBottom;
  SetGeometry(*window.children.front(),
              {window.marginLeft, window.marginTop, Saturate(area.width - horizontal),
               Saturate(area.height - vertical)});
}

const ItemClass kWindowClass{
    .naturalSize = WindowNaturalSize,
    .setGeometry = PlaceWindowContent,
    .addChild = ReplaceChild,
};

}  // namespace

void PlaceContainerChild(ContainerItem& container, Rect area) {
  if (container.children.empty()) return;
  // 1. The area inside the margins.
  std::int64_t x = std::int64_t{area.x} + container.marginLeft;
  std::int64_t y = std::int64_t{area.y} + container.marginTop;
  std::int64_t width = std::int64_t{area.width} - container.marginLeft - container.marginRight;
  std::int64_t height = std::int64_t{area.height} - container.marginTop - container.marginBottom;
  // 2. and 3. Narrowed and aligned where the child needs less.
  FitAlong(container.childWidth, container.expandHorizontal, container.expandWidth,
           container.alignHorizontal, &x, &width);
  FitAlong(container.childHeight, container.expandVertical, container.expandHeight,
           container.alignVertical, &y, &height);
  // 4. Placed.
  SetGeometry(*container.children.front(),
              {Saturate(x), Saturate(y), Saturate(width), Saturate(height)});
}

Size ContainerNaturalSize(ContainerItem& container) {
  Size child = container.children.empty() ? Size{} : RequiredSize(*container.children.front());
  container.childWidth = child.width;
  container.childHeight = child.height;
  std::int64_t width = std::int64_t{child.width} + container.marginLeft + container.marginRight;
  std::int64_t height = std::int64_t{child.height} + container.marginTop + container.marginBottom;
  return {std::max(Saturate(width), container.width), std::max(Saturate(height), container.height)};
}

std::unique_ptr<WindowItem, ItemDeleter> CreateWindowItem(const XmlNode* element, Build& build) {
  auto window = NewItem<WindowItem>(kWindowClass, ElementKind::Window);
  ReadCommonAttributes(*window, element, ElementTypeOf(ElementKind::Window), build);
  ReadContainerAttributes(*window, element, kWindowMargin);
  window->expandHorizontal = window->expandVertical = false;
  ReadWindowBounds(*window, element);
  return window;
}

}  // namespace kv::dialog

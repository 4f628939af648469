// Leaves of the layout: empty space and plain gadgets.
#include <algorithm>

#include "dialog/detail/attributes.h"
#include "dialog/detail/build.h"
#include "dialog/detail/elements.h"
#include "dialog/detail/items.h"
#include "toolkit/gadgets.h"

namespace kv::dialog {

namespace {

// Below a text label without a border, this much room is left above it.
constexpr int kLabelTopGap = 2;

// The toolkit's required size raised to the attribute minimums; folded and
// -1 do not change it.
Size MeasuredSize(LayoutItem& item) {
  GadgetSize measured = MeasureGadget(item.gadget);
  return {std::max(measured.width, item.width), std::max(measured.height, item.height)};
}

// The height attribute rounded up to whole rows inside the list's edges.
Size ListViewSize(LayoutItem& item) {
  std::int64_t rows = GadgetRowHeight(item.gadget);
  std::int64_t edges = 2 * SystemEdgeHeight();
  std::int64_t height = item.height;
  if (rows > 0) {
    std::int64_t whole = (height - edges) / rows;
    if (whole * rows + edges < height) height = (whole + 1) * rows + edges;
  }
  return {item.width, Saturate(height)};
}

// A label without a border sits 2 lower than its area when that still
// leaves it its own height.
void PlaceTextLabel(LayoutItem& item, Rect area) {
  if (!(item.flags & static_cast<std::uint32_t>(KV_Text_Border))) {
    int own = std::max(item.height, ReadGadgetHeight(item.gadget, 1));
    if (own <= std::int64_t{area.height} - kLabelTopGap) {
      area.y = Saturate(std::int64_t{area.y} + kLabelTopGap);
      area.height -= kLabelTopGap;
      item.placed = area;
    }
  }
  PlaceGadget(item.gadget, area.x, area.y, area.width, area.height);
}

// empty, and gadgets sized by their attributes alone.
const ItemClass kBaseClass{};
const ItemClass kMeasuredClass{
    .requiredSize = MeasuredSize,
    .naturalSize = MeasuredSize,
};
const ItemClass kTextLabelClass{
    .requiredSize = MeasuredSize,
    .naturalSize = MeasuredSize,
    .setGeometry = PlaceTextLabel,
};
const ItemClass kListViewClass{
    .requiredSize = ListViewSize,
    .naturalSize = ListViewSize,
};

const ItemClass& GadgetClass(ElementKind kind) {
  switch (kind) {
    case ElementKind::Text: return kTextLabelClass;
    case ElementKind::ListView: return kListViewClass;
    case ElementKind::Editor: return kBaseClass;
    default: return kMeasuredClass;
  }
}

// At 0,0 with size 0 x 0; the layout places it.
Handle CreateControl(const LayoutItem& item) {
  int number = CreationNumber(item);
  int flags = static_cast<int>(item.flags);
  switch (item.kind) {
    case ElementKind::Button: return NewButton(number, 0, 0, 0, 0, item.text, flags);
    case ElementKind::Text: return NewTextLabel(number, 0, 0, 0, 0, item.text, flags);
    case ElementKind::String: return NewStringField(number, 0, 0, 0, 0, item.text, flags);
    case ElementKind::ListView: return NewListView(number, 0, 0, 0, 0, flags);
    case ElementKind::Editor: return NewEditor(number, 0, 0, 0, 0, flags);
    default: return 0;
  }
}

}  // namespace

ItemPtr CreateEmpty(const XmlNode* element, const ElementType& type, Build& build) {
  auto item = NewItem<LayoutItem>(kBaseClass, type.kind);
  ReadCommonAttributes(*item, element, type, build);
  return item;
}

ItemPtr CreateGadget(const XmlNode* element, const ElementType& type, Build& build) {
  auto item = NewItem<LayoutItem>(GadgetClass(type.kind), type.kind);
  ReadCommonAttributes(*item, element, type, build);
  if (build.Failed()) return nullptr;
  item->gadget = CreatedNumber(*item, CreateControl(*item));
  if (item->gadget == -1) return item;
  if (item->kind == ElementKind::Editor && !item->text.empty()) {
    WriteGadgetText(item->gadget, item->text);
  }
  BindEventAttributes(*item, element, type, build);
  return item;
}

}  // namespace kv::dialog

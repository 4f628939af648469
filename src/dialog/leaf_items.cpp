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

// A label without a border sits 2 lower than its area when that still
// leaves it its own height.
struct TextLabelItem : MeasuredItem {
  using MeasuredItem::MeasuredItem;

 protected:
  void Place(Rect area) override {
    if (!(flags & static_cast<std::uint32_t>(KV_Text_Border))) {
      int own = std::max(height, ReadGadgetHeight(gadget, 1));
      if (own <= std::int64_t{area.height} - kLabelTopGap) {
        area.y = Saturate(std::int64_t{area.y} + kLabelTopGap);
        area.height -= kLabelTopGap;
        placed = area;
      }
    }
    PlaceGadget(gadget, area.x, area.y, area.width, area.height);
  }
};

// The height attribute rounded up to whole rows inside the list's edges.
struct ListViewItem : LayoutItem {
  using LayoutItem::LayoutItem;
  Size RequiredSize() override { return NaturalSize(); }
  Size NaturalSize() override {
    std::int64_t rows = GadgetRowHeight(gadget);
    std::int64_t edges = 2 * SystemEdgeHeight();
    std::int64_t rounded = height;
    if (rows > 0) {
      std::int64_t whole = (rounded - edges) / rows;
      if (whole * rows + edges < rounded) rounded = (whole + 1) * rows + edges;
    }
    return {width, Saturate(rounded)};
  }
};

ItemPtr NewGadgetItem(ElementKind kind) {
  switch (kind) {
    case ElementKind::Text: return std::make_unique<TextLabelItem>(kind);
    case ElementKind::ListView: return std::make_unique<ListViewItem>(kind);
    case ElementKind::Editor: return std::make_unique<LayoutItem>(kind);
    default: return std::make_unique<MeasuredItem>(kind);
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

Size MeasuredItem::NaturalSize() {
  GadgetSize measured = MeasureGadget(gadget);
  return {std::max(measured.width, width), std::max(measured.height, height)};
}

ItemPtr CreateEmpty(const XmlNode* element, const ElementType& type, Build& build) {
  auto item = std::make_unique<LayoutItem>(type.kind);
  ReadCommonAttributes(*item, element, type, build);
  return item;
}

ItemPtr CreateGadget(const XmlNode* element, const ElementType& type, Build& build) {
  ItemPtr item = NewGadgetItem(type.kind);
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

ItemPtr RefuseElement(const XmlNode* element, const ElementType&, Build& build) {
  build.Fail(UnbuiltElementError(XmlNodeName(element)));
  return nullptr;
}

}  // namespace kv::dialog

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

// Lists, trees, editors and bars are as large as their attributes say; the
// other gadgets as the toolkit measures them.
ItemPtr NewGadgetItem(ElementKind kind) {
  switch (kind) {
    case ElementKind::Text: return std::make_unique<TextLabelItem>(kind);
    case ElementKind::Option: return std::make_unique<OptionItem>(kind);
    case ElementKind::ListView: return std::make_unique<ListViewItem>(kind);
    case ElementKind::Editor:
    case ElementKind::ListIcon:
    case ElementKind::Tree:
    case ElementKind::ExplorerList:
    case ElementKind::ExplorerTree:
    case ElementKind::ScrollBar:
    case ElementKind::ProgressBar:
    case ElementKind::TrackBar: return std::make_unique<LayoutItem>(kind);
    default: return std::make_unique<MeasuredItem>(kind);
  }
}

// The first column's width of a multi-column list, in units.
constexpr int kFirstColumnWidth = 300;

// At 0,0 with size 0 x 0; the layout places it.
Handle CreateControl(const LayoutItem& item, const ValueAttributes& v) {
  int number = CreationNumber(item);
  int flags = static_cast<int>(item.flags);
  const Text& text = item.text;
  using K = ElementKind;
  switch (item.kind) {
    case K::Button: return NewButton(number, 0, 0, 0, 0, text, flags);
    case K::Text: return NewTextLabel(number, 0, 0, 0, 0, text, flags);
    case K::String: return NewStringField(number, 0, 0, 0, 0, text, flags);
    case K::ListView: return NewListView(number, 0, 0, 0, 0, flags);
    case K::Editor: return NewEditor(number, 0, 0, 0, 0, flags);
    case K::CheckBox: return NewCheckBox(number, 0, 0, 0, 0, text, flags);
    case K::Option: return NewOption(number, 0, 0, 0, 0, text);
    case K::Shortcut: return NewShortcut(number, 0, 0, 0, 0, 0);
    case K::Image: return NewImage(number, 0, 0, 0, 0, 0, flags);
    case K::ButtonImage: return NewButtonImage(number, 0, 0, 0, 0, 0, flags);
    case K::ListIcon: return NewListIcon(number, 0, 0, 0, 0, text, kFirstColumnWidth, flags);
    case K::Tree: return NewTree(number, 0, 0, 0, 0, flags);
    case K::ComboBox: return NewComboBox(number, 0, 0, 0, 0, flags);
    case K::Calendar: return NewCalendar(number, 0, 0, 0, 0, 0, flags);
    case K::Date: return NewDate(number, 0, 0, 0, 0, text, 0, flags);
    case K::ExplorerCombo: return NewExplorerCombo(number, 0, 0, 0, 0, text, flags);
    case K::ExplorerList: return NewExplorerList(number, 0, 0, 0, 0, text, flags);
    case K::ExplorerTree: return NewExplorerTree(number, 0, 0, 0, 0, text, flags);
    case K::HyperLink: return NewHyperLink(number, 0, 0, 0, 0, text, v.color, flags);
    case K::IpAddress: return NewIpAddress(number, 0, 0, 0, 0);
    case K::ScrollBar:
      return NewScrollBar(number, 0, 0, 0, 0, v.minimum, v.maximum, v.page, flags);
    case K::ProgressBar: return NewProgressBar(number, 0, 0, 0, 0, v.minimum, v.maximum, flags);
    case K::TrackBar: return NewTrackBar(number, 0, 0, 0, 0, v.minimum, v.maximum, flags);
    case K::Spin: return NewSpin(number, 0, 0, 0, 0, v.minimum, v.maximum, flags);
    default: return 0;
  }
}

// What some kinds are given once created.
void Initialise(const LayoutItem& item, const ValueAttributes& v) {
  switch (item.kind) {
    case ElementKind::Editor:
      if (!item.text.empty()) WriteGadgetText(item.gadget, item.text);
      break;
    case ElementKind::ScrollBar:
    case ElementKind::ProgressBar:
    case ElementKind::TrackBar: WriteGadgetState(item.gadget, v.value); break;
    case ElementKind::Spin:
      WriteGadgetState(item.gadget, v.value);
      // No text keeps the numeric spin's digits.
      if (!item.text.empty()) WriteGadgetText(item.gadget, item.text);
      break;
    default: break;
  }
}

// The option's gadget; its item takes the number unless the parent dropped
// it meanwhile.
void CreatePendingOption(LayoutItem& parent, const PendingOption& option) {
  int number = option.requestedId == -1 ? KV_Any : option.requestedId;
  Handle created = NewOption(number, 0, 0, 0, 0, option.text);
  int gadget = !created ? -1 : option.requestedId != -1 ? option.requestedId
                                                         : static_cast<int>(created);
  for (ItemPtr& child : parent.children) {
    if (child->kind != ElementKind::Option) continue;
    auto& item = static_cast<OptionItem&>(*child);
    if (item.serial == option.serial) item.gadget = gadget;
  }
  if (gadget != -1) ApplyGadgetStates(gadget, option.element);
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
  ValueAttributes values = ReadValueAttributes(element, type.kind);
  item->gadget = CreatedNumber(*item, CreateControl(*item, values));
  if (item->gadget == -1) return item;
  Initialise(*item, values);
  BindEventAttributes(*item, element, type, build);
  return item;
}

// An option with a group waits for its parent's other children; see
// CreatePendingOptions.
ItemPtr CreateOption(const XmlNode* element, const ElementType& type, Build& build) {
  bool grouped = false;
  int group = 0;
  ForEachAttribute(element, [&](TextView name, TextView value) {
    if (!EqualNoCase(name, u"GROUP")) return;
    grouped = true;
    group = ReadNumber(value);
  });
  if (!grouped) return CreateGadget(element, type, build);
  auto item = std::make_unique<OptionItem>(type.kind);
  ReadCommonAttributes(*item, element, type, build);
  if (build.Failed()) return nullptr;
  item->gadget = item->requestedId;
  item->serial = ++build.pendingOptions;
  build.parent->pendingOptions.push_back(
      {item->serial, group, element, item->text, item->requestedId});
  return item;
}

// A throw-away label ends the radio group the toolkit was forming, so each
// group starts its own.
void CreatePendingOptions(LayoutItem& parent) {
  std::vector<PendingOption>& pending = parent.pendingOptions;
  while (!pending.empty()) {
    int group = pending.front().group;
    DisposeGadget(static_cast<int>(NewTextLabel(KV_Any, 0, 0, 0, 0, u"")));
    auto end = std::stable_partition(pending.begin(), pending.end(),
                                     [group](const PendingOption& p) { return p.group == group; });
    for (auto it = pending.begin(); it != end; ++it) CreatePendingOption(parent, *it);
    pending.erase(pending.begin(), end);
  }
}

ItemPtr RefuseElement(const XmlNode* element, const ElementType& type, Build& build) {
  TextView component =
      type.kind == ElementKind::Web ? u"web view component" : u"code editor component";
  build.Fail(MissingComponentError(XmlNodeName(element), component));
  return nullptr;
}

}  // namespace kv::dialog

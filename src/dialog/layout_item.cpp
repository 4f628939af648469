// The base behaviour of every item class.
#include "dialog/detail/layout_item.h"

#include "dialog/detail/items.h"
#include "toolkit/gadgets.h"

namespace kv::dialog {

Size LayoutItem::RequiredSize() {
  if (folded) return {};
  Size size = NaturalSize();
  if (width == -1) size.width = 0;
  if (height == -1) size.height = 0;
  return size;
}

Size LayoutItem::NaturalSize() { return {width, height}; }

void LayoutItem::Place(Rect area) {
  PlaceGadget(gadget, area.x, area.y, area.width, area.height);
}

void LayoutItem::AddChild(ItemPtr, const XmlNode*, Build&) {}

void LayoutItem::Finish(Build&) {}

void LayoutItem::ReapplyText() {
  if (gadget != -1 && !text.empty()) WriteGadgetText(gadget, text);
  for (ItemPtr& child : children) child->ReapplyText();
}

void LayoutItem::SetHidden(bool hidden) {
  if (gadget != -1 && (hidden || !folded)) SetGadgetHidden(gadget, hidden);
  for (ItemPtr& child : children) child->SetHidden(hidden);
}

LayoutItem* LayoutItem::FindByName(TextView wanted) {
  if (!name.empty() && EqualNoCase(name, wanted)) return this;
  for (ItemPtr& child : children) {
    if (LayoutItem* found = child->FindByName(wanted)) return found;
  }
  return nullptr;
}

int CreationNumber(const LayoutItem& item) {
  return item.requestedId == -1 ? KV_Any : item.requestedId;
}

int CreatedNumber(const LayoutItem& item, Handle created) {
  if (!created) return -1;
  return item.requestedId != -1 ? item.requestedId : static_cast<int>(created);
}

}  // namespace kv::dialog

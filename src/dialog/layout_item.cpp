// The slot calls and the base behaviour of every item class.
#include "dialog/detail/layout_item.h"

#include "dialog/detail/items.h"

#include "toolkit/gadgets.h"

namespace kv::dialog {

void ItemDeleter::operator()(LayoutItem* item) const {
  if (item->cls->destroy) item->cls->destroy(*item);
  delete item;
}

Size NaturalSize(LayoutItem& item) {
  if (item.cls->naturalSize) return item.cls->naturalSize(item);
  return {item.width, item.height};
}

Size RequiredSize(LayoutItem& item) {
  if (item.cls->requiredSize) return item.cls->requiredSize(item);
  if (item.folded) return {};
  Size size = NaturalSize(item);
  if (item.width == -1) size.width = 0;
  if (item.height == -1) size.height = 0;
  return size;
}

void SetGeometry(LayoutItem& item, Rect area) {
  item.placed = area;
  if (item.cls->setGeometry) {
    item.cls->setGeometry(item, area);
  } else {
    PlaceGadget(item.gadget, area.x, area.y, area.width, area.height);
  }
}

void AddChild(LayoutItem& parent, ItemPtr child, const XmlNode* element) {
  if (parent.cls->addChild) parent.cls->addChild(parent, std::move(child), element);
}

void AppendChild(LayoutItem& parent, ItemPtr child, const XmlNode*) {
  parent.children.push_back(std::move(child));
}

void ReplaceChild(LayoutItem& parent, ItemPtr child, const XmlNode*) {
  parent.children.clear();
  parent.children.push_back(std::move(child));
}

void SetHidden(LayoutItem& item, bool hidden) {
  if (item.cls->setHidden) {
    item.cls->setHidden(item, hidden);
    return;
  }
  if (item.gadget != -1 && (hidden || !item.folded)) SetGadgetHidden(item.gadget, hidden);
  for (ItemPtr& child : item.children) SetHidden(*child, hidden);
}

LayoutItem* FindByName(LayoutItem& item, TextView name) {
  if (item.cls->findByName) return item.cls->findByName(item, name);
  if (!item.name.empty() && EqualNoCase(item.name, name)) return &item;
  for (ItemPtr& child : item.children) {
    if (LayoutItem* found = FindByName(*child, name)) return found;
  }
  return nullptr;
}

void Finish(LayoutItem& item, Build& build) {
  if (item.cls->finish) item.cls->finish(item, build);
}

void ReapplyText(LayoutItem& item) {
  if (item.cls->reapplyText) {
    item.cls->reapplyText(item);
    return;
  }
  if (item.gadget != -1 && !item.text.empty()) WriteGadgetText(item.gadget, item.text);
  for (ItemPtr& child : item.children) ReapplyText(*child);
}

int CreationNumber(const LayoutItem& item) {
  return item.requestedId == -1 ? KV_Any : item.requestedId;
}

int CreatedNumber(const LayoutItem& item, Handle created) {
  if (!created) return -1;
  return item.requestedId != -1 ? item.requestedId : static_cast<int>(created);
}

}  // namespace kv::dialog

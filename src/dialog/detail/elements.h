// The elements of the description format: names, flag tables, the typed event
// attributes each accepts, and how each is built.
#pragma once

#include <cstdint>
#include <span>

#include "dialog/detail/layout_item.h"
#include "runtime/text.h"

namespace kv::dialog {

struct Build;

struct FlagName {
  TextView name;  // without the "#"
  std::uint32_t value;
};

// Typed event attributes, as bits of ElementType::events.
enum EventBits : unsigned {
  kOnLeftClick = 1u << 0,
  kOnRightClick = 1u << 1,
  kOnLeftDoubleClick = 1u << 2,
  kOnRightDoubleClick = 1u << 3,
  kOnChange = 1u << 4,
  kOnFocus = 1u << 5,
  kOnLostFocus = 1u << 6,
  kOnDragStart = 1u << 7,
};

struct EventAttribute {
  TextView name;  // upper case, as this layer writes attribute names
  int type;       // the event type it binds; -1 every type
  unsigned bit;   // 0 for ONEVENT, which every element with events accepts
};
std::span<const EventAttribute> EventAttributes();

struct ElementType {
  TextView name;  // lower case
  ElementKind kind;
  std::span<const FlagName> flags;  // besides runtime constants
  unsigned events;                  // EventBits
  // Null for the window, which is no content element.
  ItemPtr (*create)(const XmlNode* element, const ElementType& type, Build& build);
};

// The element named name, ignoring case; null for a name that is no element.
const ElementType* FindElementType(TextView name);
const ElementType& ElementTypeOf(ElementKind kind);

}  // namespace kv::dialog

// The value syntax of descriptions and the attribute readers elements share.
// Attribute names are matched ignoring case; an attribute given twice is
// applied twice, so the later one wins.
#pragma once

#include <cstdint>

#include "dialog/detail/items.h"
#include "runtime/text.h"
#include "xml/tree.h"

namespace kv::dialog {

struct Build;
struct ElementType;

// Reads like the C library's wide-string-to-integer conversion: leading
// blanks, an optional sign, then decimal digits up to the first other
// character; no digits give 0. Values beyond the 32-bit range saturate.
int ReadInteger(TextView text);
// The value of the runtime constant or variable the text names, else
// ReadInteger.
int ReadNumber(TextView text);
// "yes" in any case; every other value is no.
bool IsYes(TextView value);

// Calls visit(name, value) for each attribute of element in document order.
template <class Visit>
void ForEachAttribute(const XmlNode* element, Visit visit) {
  int count = XmlAttributeCount(element);
  for (int i = 0; i < count; ++i) {
    XmlAttributeView attribute = XmlAttributeAt(element, i);
    visit(attribute.name, attribute.value);
  }
}

// A FLAGS value: "#Name" entries separated by "|", each from the element's
// flag table or a runtime constant. Parsing stops without a message at an
// entry without "#" and at a name longer than 128 characters; an unknown
// name fails the build.
std::uint32_t ParseFlags(TextView value, const ElementType& type, TextView element, Build& build);

// ID, NAME, TEXT, WIDTH, HEIGHT, FOLDED and FLAGS.
void ReadCommonAttributes(LayoutItem& item, const XmlNode* element, const ElementType& type,
                          Build& build);
// SPACING, EXPAND and ALIGN of hbox and vbox.
void ReadBoxAttributes(BoxItem& box, const XmlNode* element);
// MARGIN, EXPAND, EXPANDWIDTH, EXPANDHEIGHT and ALIGN of a container.
void ReadContainerAttributes(ContainerItem& container, const XmlNode* element, int defaultMargin);
// MINWIDTH, MINHEIGHT, MAXWIDTH and MAXHEIGHT.
void ReadWindowBounds(WindowItem& window, const XmlNode* element);
// Binds the procedures the event attributes name to the item's gadget in the
// window being built.
void BindEventAttributes(const LayoutItem& item, const XmlNode* element, const ElementType& type,
                         Build& build);
// MIN, MAX, PAGE, VALUE and COLOR, with the defaults of the element kind.
struct ValueAttributes {
  int minimum = 0;
  int maximum = 100;
  int page = 10;
  int value = 0;
  int color = 0xFF0000;
};
ValueAttributes ReadValueAttributes(const XmlNode* element, ElementKind kind);
// DISABLED and INVISIBLE, in the order they appear.
void ApplyGadgetStates(int gadget, const XmlNode* element);

}  // namespace kv::dialog

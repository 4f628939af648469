// Building the elements of a window, and the build's error messages.
#include "dialog/detail/build.h"

#include "dialog/detail/attributes.h"
#include "dialog/detail/elements.h"

namespace kv::dialog {

namespace {

// The longest message kept, as the platform's 512-unit buffer holds.
constexpr size_t kLongestMessage = 511;

Text Join(std::initializer_list<TextView> parts) {
  Text text;
  for (TextView part : parts) text += part;
  return text;
}

}  // namespace

void Build::Fail(Text message) {
  if (Failed()) return;
  error = std::move(message);
  if (error.size() > kLongestMessage) error.resize(kLongestMessage);
}

Text WindowNotFoundError() { return u"Dialog window not found"; }

Text EmptyValueError(TextView element, TextView attribute) {
  return Join({u"<", element, u"> '", attribute, u"' can't have empty value."});
}

Text UnknownConstantError(TextView value) {
  return Join({u"'", value, u"' constant is not found or not declared as runtime."});
}

Text UnsupportedFlagError(TextView flag, TextView element) {
  return Join({u"'#", flag, u"' flag is not supported for the following gadget: ", element});
}

Text UnsupportedEventError(TextView attribute, TextView element) {
  return Join({u"'", attribute, u"' is not supported for the following gadget: ", element});
}

Text UnknownProcedureError(TextView value) {
  return Join({u"'", value, u"' is not a runtime procedure."});
}

Text TabWithoutPanelError() { return u"<tab> node requiers a parent <panel> node."; }

void BuildChildren(LayoutItem& parent, const XmlNode* first, Build& build) {
  for (const XmlNode* node = first; node; node = XmlNextSibling(node)) {
    // 1. Nothing more after an error.
    if (build.Failed()) return;
    // 2. and 3. Elements only; unknown ones and those the toolkit cannot make
    // yet are skipped with their subtree.
    if (node->kind != NodeElement) continue;
    const ElementType* type = FindElementType(XmlNodeName(node));
    if (!type || !type->create) continue;
    ItemPtr item = type->create(node, *type, build);
    // 4. An item whose creation failed is not completed.
    if (!item || build.Failed()) continue;
    // 5. Its subtree.
    if (const XmlNode* child = XmlFirstChild(node)) BuildChildren(*item, child, build);
    // 6. to 8. Complete it, hand it to the parent, then the gadget states.
    Finish(*item, build);
    int gadget = item->gadget;
    AddChild(parent, std::move(item), node);
    if (gadget != -1) ApplyGadgetStates(gadget, node);
  }
}

}  // namespace kv::dialog

// Building the elements of a window, and the build's error messages.
#include "dialog/detail/build.h"

#include <cstdint>

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

Text Number(int value) {
  std::int64_t rest = value;
  Text digits = rest < 0 ? u"-" : u"";
  if (rest < 0) rest = -rest;
  size_t first = digits.size();
  do {
    digits.insert(digits.begin() + static_cast<std::ptrdiff_t>(first),
                  static_cast<char16_t>(u'0' + rest % 10));
    rest /= 10;
  } while (rest > 0);
  return digits;
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

Text GridRowSpanError(int span) {
  return Join({u"A gridbox can only have a maximum of 65 rows (", Number(span),
               u" was specified)."});
}

Text GridRowsError(int row) {
  return Join({u"A gridbox can only have 70 rows (row ", Number(row), u" was needed)."});
}

Text GridColumnsError(int columns) {
  return Join({u"A gridbox can only have 1 to ", Number(kMostGridColumns), u" columns (",
               Number(columns), u" was specified)."});
}

Text SplitterChildrenError() { return u"A splitter can only have two children."; }

Text NestingError(TextView element) {
  return Join({u"<", element, u"> is nested deeper than ", Number(kDeepestNesting),
               u" elements."});
}

Text MissingComponentError(TextView element, TextView component) {
  return Join({u"<", element, u"> needs the ", component, u", which this build does not include."});
}

// Each element is created, given its subtree, finished, handed to its
// parent and then disabled or hidden as its attributes say.
void BuildChildren(LayoutItem& parent, const XmlNode* first, Build& build) {
  for (const XmlNode* node = first; node; node = XmlNextSibling(node)) {
    if (build.Failed()) return;
    if (node->kind != NodeElement) continue;
    const ElementType* type = FindElementType(XmlNodeName(node));
    if (!type) continue;
    if (build.depth >= kDeepestNesting) {
      build.Fail(NestingError(XmlNodeName(node)));
      return;
    }
    build.parent = &parent;
    ItemPtr item = type->create(node, *type, build);
    // An item whose creation failed is not completed.
    if (!item || build.Failed()) continue;
    if (const XmlNode* child = XmlFirstChild(node)) {
      ++build.depth;
      BuildChildren(*item, child, build);
      --build.depth;
    }
    CreatePendingOptions(*item);
    item->Finish(build);
    int gadget = item->gadget;
    parent.AddChild(std::move(item), node, build);
    if (gadget != -1) ApplyGadgetStates(gadget, node);
  }
}

}  // namespace kv::dialog

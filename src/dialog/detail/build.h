// The state of one build: the first error and the panels whose pages are
// being built.
#pragma once

#include <vector>

#include "dialog/detail/layout_item.h"
#include "runtime/text.h"
#include "xml/tree.h"

namespace kv::dialog {

struct OpenPanel {
  int gadget = -1;
  int tabCount = 0;  // pages added so far
};

struct Build {
  int window = -1;          // number of the window being built
  Text error;               // the first error; once set, nothing more is built
  std::vector<OpenPanel> panels;  // innermost on top

  bool Failed() const { return !error.empty(); }
  // Keeps message only when it is the build's first error.
  void Fail(Text message);
};

// Build error messages, filled in.
Text WindowNotFoundError();
Text EmptyValueError(TextView element, TextView attribute);
Text UnknownConstantError(TextView value);
Text UnsupportedFlagError(TextView flag, TextView element);
Text UnsupportedEventError(TextView attribute, TextView element);
Text UnknownProcedureError(TextView value);
Text TabWithoutPanelError();

// Builds the elements among first and its siblings into parent, each with
// its subtree, until the build fails.
void BuildChildren(LayoutItem& parent, const XmlNode* first, Build& build);

}  // namespace kv::dialog

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
  int depth = 0;            // elements between the window and the one being built
  LayoutItem* parent = nullptr;  // of the element being created
  int pendingOptions = 0;        // grouped options met so far

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
Text GridRowSpanError(int span);
Text GridRowsError(int row);
Text GridColumnsError(int columns);
Text SplitterChildrenError();
Text NestingError(TextView element);
Text MissingComponentError(TextView element, TextView component);

// Beyond this a grid's cell table would only waste memory.
constexpr int kMostGridColumns = 1000;

// The deepest nesting a description may have: layout and build recurse once
// per level, so a deeper one would only wear out the stack.
constexpr int kDeepestNesting = 100;

// Builds the elements among first and its siblings into parent, each with
// its subtree, until the build fails. An element whose component this build
// lacks, or one nested too deep, fails the build; unknown names are skipped
// with their subtree.
void BuildChildren(LayoutItem& parent, const XmlNode* first, Build& build);
// Creates the grouped options kept for parent, group by group in the order
// of each group's first option.
void CreatePendingOptions(LayoutItem& parent);

}  // namespace kv::dialog

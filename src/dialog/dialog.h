// Dialogs: windows built from XML dialog descriptions.
//
// A dialog turns one window element of a parsed description into a window
// with its gadgets, a tree of layout items that sizes and places them, and
// the names by which the program finds its gadgets. Dialogs are numbered
// objects: a caller's number or KV_Any; operations on a number that holds no
// dialog do nothing and return 0 or -1.
//
// Description format, in short: the root element is "dialogs" holding
// "window" elements, or a single "window"; a window holds one content
// element, normally a box. Element and attribute names ignore case. The
// engine copies what it keeps, so the document may be freed once
// OpenDialogWindow returns.
#pragma once

#include <vector>

#include "runtime/constants.h"
#include "runtime/text.h"
#include "toolkit/top_windows.h"
#include "xml/tree.h"

namespace kv {

// After the toolkit is set up; EndDialogLibrary before it is shut down.
void InitDialogLibrary();
void EndDialogLibrary();  // releases every dialog

// Returns the chosen number for KV_Any, otherwise nonzero on success; 0 for a
// number the registry refuses. A dialog already at number is released first.
int NewDialog(int number);

// Builds the window element called name (the first window when name is
// empty) as a new window at x, y whose inner size is at least width x height
// and as large as its content needs, owned by owner when given. Returns
// nonzero on success. On failure no window stays open, and a build error is
// kept for DialogErrorText.
int OpenDialogWindow(int dialog, const XmlDocument* document, TextView name, int x = 0,
                     int y = 0, int width = 0, int height = 0, Handle owner = 0);

// The number of the dialog's window, -1 while it has none.
int DialogWindowOf(int dialog);

// The gadget of the first item named name (ignoring case), in tree order; -1
// when none matches or the item has no gadget (boxes, the window).
int FindDialogGadget(int dialog, TextView name);

// Measures everything again and lays the window out anew, growing it when
// its content needs more room; it never shrinks. Returns 0 for a dialog
// without a window.
int RelayoutDialog(int dialog);

// Destroys the layout tree and closes the dialog's window if it is still
// open. KV_Any releases every dialog.
void ReleaseDialog(int dialog);

// The first error of the last failed OpenDialogWindow, until the next one or
// ReleaseDialog; empty otherwise.
Text DialogErrorText(int dialog);

// One item of the layout tree as last placed, in units relative to what
// contains its gadgets.
struct PlacedItem {
  int depth = 0;  // 0 for the window
  TextView element;  // lower-case element name
  Text name;
  int gadget = -1;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};
// The dialog's layout tree in tree order; empty while it has no window.
std::vector<PlacedItem> DialogLayout(int dialog);

}  // namespace kv

// The headless backend's stand-in for the platform's windows and controls: a
// tree of handles, each with the state the real control would hold.
#pragma once

#include <cstdint>
#include <set>
#include <thread>
#include <vector>

#include "runtime/text.h"
#include "toolkit/platform.h"
#include "toolkit/reports.h"

namespace kv::headless {

enum class ControlClass {
  Window, Button, Edit, Static, ListBox, RichEdit, Tab, Page, Container, Canvas, Frame,
  ScrollArea, ScrollInner, Splitter, Check, Value, Spin, ComboBox, ListIcon, Tree, Date,
  Calendar, IpAddress, Shortcut, HyperLink, Image,
};

struct ListRow {
  Text text;
  std::intptr_t data = 0;
  bool selected = false;
  std::vector<Text> cells;  // multi-column lists: columns 1 and on
  int level = 0;            // trees
  bool checked = false;
  bool expanded = false;
};

struct TabItem {
  Text title;
  Handle page = 0;
};

struct Control {
  Handle handle = 0;
  Handle parent = 0;  // for windows: the owner
  std::vector<Handle> children;
  ControlClass cls = ControlClass::Window;
  int flags = 0;    // creation flags of a gadget, style of a window
  int window = -1;  // number of a top-level window
  int gadget = -1;  // number of a gadget control (its control id)
  Text text;        // an editor's text has "\r" between lines
  int shownLine = 0;  // editors: the first line in view, where the caret's change left it
  PixelRect rect;   // pixels; on the screen for windows, else in the parent
  bool visible = true;
  bool enabled = true;

  // Top-level windows.
  std::thread::id thread;
  platform::ShowMode mode = platform::ShowMode::Normal;
  PixelRect restoredRect;
  bool topmost = false;
  std::set<int> timers;

  // Gadget controls.
  Text tip;
  bool checked = false;           // buttons
  bool readOnly = false;          // fields and editors
  int limit = 0;                  // fields
  int wordWrap = 0;               // editors
  std::vector<ListRow> rows;      // lists
  int caret = -1;                 // lists: the row with the focus
  std::vector<TabItem> tabs;      // panels
  int selectedTab = -1;
  bool horizontalBar = false;     // scroll areas
  bool verticalBar = false;
  int check = 0;                  // check boxes and options, as shown
  ValueRange range;               // value gadgets, as shown
  std::vector<Text> columns;      // multi-column lists: titles
  int value = 0;                  // dates, addresses, shortcuts
  Handle image = 0;               // images
};

Control* FindControl(Handle handle);
Control& AddControl(Control control);  // gives it a handle and links it to its parent
// Destroys handle and everything inside it, children first, reporting each
// window and gadget to the core.
void DestroyControl(Handle handle);
void DestroyAllControls();

// The top-level window that contains handle (or is it), or null.
Control* TopWindowOf(Handle handle);
std::vector<Control*> TopWindows();

// The keyboard focus and the active window; moving them raises the events
// the platform's focus and activation messages raise.
Handle Focus();
void MoveFocus(Handle handle);
Handle Active();
void Activate(Handle window);

// Minimizes, maximizes or restores a top-level window as the platform does,
// reporting the size change.
void SetWindowMode(Control& window, platform::ShowMode mode);

}  // namespace kv::headless

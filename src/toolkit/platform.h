// The seam between the toolkit's portable core and one platform backend, as
// the core sees it: the platform operations it calls and the records by which
// a backend describes each gadget kind. What a backend calls in the core is in
// reports.h. Only the core and backends include these two headers; dialogs and
// applications use the public headers beside them.
//
// Shape of a backend:
// - The platform operations below (namespace kv::platform) are plain
//   functions that the core calls. Each backend library defines all of them
//   once, so the backend is chosen at link time by linking its library: two
//   backends collide, none leaves them undefined. Core and backend call each
//   other, so a backend's CMake target is an interface target that links
//   $<LINK_GROUP:RESCAN,kv_toolkit,its static library>; users link kv_toolkit
//   and that target.
// - Each gadget kind is one platform::KindRecord per backend, in the kind's
//   own file of the backend: how its control is made, how it behaves on the
//   platform and its operation slots (GadgetKind). The core finds a kind's
//   record by code and calls its slots, or the rules it writes itself over
//   them (kinds.cpp); an empty slot falls back to the generic behaviour named
//   at the slot.
// - Platform-only behaviour (message translation, subclassing, focus keys,
//   notification routing to a kind's message hook, a relay for other threads)
//   stays inside the backend; what a backend keeps per gadget goes into
//   GadgetObject::data.
//
// Pixels cross this seam; units are converted by the core.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "gadgets.h"
#include "runtime/text.h"
#include "top_windows.h"

namespace kv {

namespace platform {
// One gadget kind as a backend describes it. Each backend defines this type
// for itself (a program links one backend); the core only holds records and
// reaches their slots through KindSlots.
struct KindRecord;
}  // namespace platform

struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct PixelSize {
  int width = 0;
  int height = 0;
};

// Window style bits the core reads.
constexpr int kStyleSizingBorder = 0x40000;
constexpr int kStyleMinimized = 0x20000000;
constexpr int kStyleMaximized = 0x1000000;

struct WindowObject {
  Handle handle = 0;  // 0: the record holds no window (yet)
  Handle owner = 0;
  int style = 0;      // platform style bits it was created with
  // Size limits of the inner size in pixels; 0 is no limit.
  int minWidth = 0;
  int minHeight = 0;
  int maxWidth = 0;
  int maxHeight = 0;
  bool minimizedOrMaximized = false;
  bool ready = false;  // move and size produce events only once created
  int pendingShow = -1;  // kStyleMinimized/kStyleMaximized kept for the first show
};

// What a backend keeps per gadget (colours, brushes, chained procedures).
struct GadgetData {
  virtual ~GadgetData() = default;
};

struct GadgetKind;

struct GadgetObject {
  Handle handle = 0;
  const GadgetKind* kind = nullptr;  // the slots the core's operations call
  const platform::KindRecord* record = nullptr;  // the backend's description
  std::intptr_t userData = 0;
  int number = 0;  // its own number, for the events it queues
  int window = 0;  // number of the top-level window that contains it
  int flags = 0;   // as created; some flags are no platform style bits
  std::unique_ptr<GadgetData> data;
  // What the core keeps for the kinds whose behaviour it writes itself
  // (panels, scroll areas, splitters, value gadgets and others).
  std::unique_ptr<GadgetData> state;
  int emptyLines = 0;  // editors: see editor_lines.cpp
  // Colours of the kinds that have them (a showColor slot), -1 the default.
  int frontColor = -1;
  int backColor = -1;
};

// Operation slots of one gadget kind; an empty slot falls back as noted.
// The core's rules for a kind may stand over its backend's slots, which they
// then call as the platform's own operations on the control.
struct GadgetKind {
  int code = 0;
  void (*release)(GadgetObject&) = nullptr;                   // nothing
  int (*readState)(GadgetObject&) = nullptr;                  // 0
  void (*writeState)(GadgetObject&, int state) = nullptr;     // nothing
  Text (*readText)(GadgetObject&) = nullptr;                  // platform::ReadText
  void (*writeText)(GadgetObject&, TextView) = nullptr;       // platform::WriteText
  int (*insertItem)(GadgetObject&, int position, TextView) = nullptr;  // 0
  // Appends every text as insertItem at -1 would, in one change of the control.
  void (*appendItems)(GadgetObject&, std::span<const Text>) = nullptr;  // insertItem each
  // Trees: an item on a level; preferred over insertItem.
  int (*insertLevelItem)(GadgetObject&, int position, TextView, int level) = nullptr;
  void (*deleteItem)(GadgetObject&, int position) = nullptr;  // nothing
  void (*clearItems)(GadgetObject&) = nullptr;                // nothing
  void (*place)(GadgetObject&, const PixelRect&) = nullptr;   // platform::MoveControl
  int (*itemCount)(GadgetObject&) = nullptr;                  // 0
  int (*readItemState)(GadgetObject&, int item) = nullptr;    // 0
  void (*writeItemState)(GadgetObject&, int item, int state) = nullptr;
  Text (*readItemText)(GadgetObject&, int item, int column) = nullptr;  // empty
  int (*writeItemText)(GadgetObject&, int item, TextView, int column) = nullptr;  // 0
  void (*openItem)(GadgetObject&, int item) = nullptr;        // nothing
  int (*readAttribute)(GadgetObject&, int attribute) = nullptr;  // 0
  void (*writeAttribute)(GadgetObject&, int attribute, int value) = nullptr;
  // Shows the colour just stored in the record; empty: the kind has none.
  void (*showColor)(GadgetObject&, int which) = nullptr;
  void (*writeItemData)(GadgetObject&, int item, std::intptr_t) = nullptr;
  std::intptr_t (*readItemData)(GadgetObject&, int item) = nullptr;  // 0
  PixelSize (*requiredSize)(GadgetObject&) = nullptr;         // 0 x 0
  int (*rowHeight)(GadgetObject&) = nullptr;                  // 0 (pixels)
  void (*addColumn)(GadgetObject&, int position, TextView title, int width) = nullptr;
  int (*columnCount)(GadgetObject&) = nullptr;                // 0
  // The core's own answer to an event the gadget raised, after it is queued.
  void (*react)(GadgetObject&, int type) = nullptr;           // nothing
  void (*writeImage)(GadgetObject&, Handle image) = nullptr;  // nothing
};

// What a value gadget holds.
struct ValueRange {
  int minimum = 0;
  int maximum = 100;
  int page = 10;  // scroll bars
  int value = 0;
};

namespace platform {

// ---- Set-up ------------------------------------------------------------------
PixelSize ScreenDpi();
void InitEvents();
void EndEvents();
void InitWindows();
void EndWindows();
void InitGadgets();
void EndGadgets();
void InitRequesters();
void EndRequesters();

// ---- Events ------------------------------------------------------------------
// Waits for one platform message as WaitForEvent describes, dispatches it and
// returns its number, or 0 when none arrived in time.
int PumpMessage(int timeoutMs);
// Any thread: makes the event thread's current or next PumpMessage return.
void WakeMessageWait();

// ---- Windows -----------------------------------------------------------------
struct WindowParams {
  int number = 0;
  PixelRect rect;               // inner size; x, y unless defaultPosition
  bool defaultPosition = false;
  TextView title;
  int style = 0;                // platform style bits
  bool tool = false;            // tool-window frame
  Handle owner = 0;
};
enum class ShowMode { Normal, Maximized, Minimized };

// Creates the window hidden and marks it with its number; 0 on failure.
Handle OpenWindow(const WindowParams& params);
void ShowTopWindow(Handle window, ShowMode mode, bool activate);
void HideTopWindow(Handle window);  // activates the owner first
ShowMode TopWindowMode(Handle window);
// Destroys a window or control with everything inside it, reporting each
// window and gadget through OnWindowDestroyed and OnGadgetDestroyed.
void DestroyHandle(Handle handle);
// Pixels, or KEEP_CURRENT for what stays; restores a maximized window first.
void PlaceTopWindow(Handle window, int x, int y, int innerWidth, int innerHeight);
PixelSize InnerSize(Handle window);
PixelRect OuterRect(Handle window);  // on the screen
void MoveOuter(Handle window, int x, int y);
PixelSize ScreenSize();
bool DesktopComposition();
int StartTimer(Handle window, int timerId, int intervalMs);
Text ReadText(Handle handle);
void WriteText(Handle handle, TextView text);
// Number of the top-level window that contains handle (or is it), -1 if none.
int WindowNumberOf(Handle handle);

// ---- Gadgets -----------------------------------------------------------------
// The operation slots of a backend's record.
const GadgetKind& KindSlots(const KindRecord& record);

// The backend's record of each kind, defined in the kind's own file.
const KindRecord& ButtonRecord();
const KindRecord& StringRecord();
const KindRecord& TextRecord();
const KindRecord& ListViewRecord();
const KindRecord& EditorRecord();
const KindRecord& PanelRecord();
const KindRecord& FrameRecord();
const KindRecord& ContainerRecord();
const KindRecord& CanvasRecord();
const KindRecord& ScrollAreaRecord();
const KindRecord& SplitterRecord();
const KindRecord& CheckBoxRecord();
const KindRecord& OptionRecord();
const KindRecord& ProgressBarRecord();
const KindRecord& TrackBarRecord();
const KindRecord& ScrollBarRecord();
const KindRecord& SpinRecord();
const KindRecord& ComboBoxRecord();
const KindRecord& ListIconRecord();
const KindRecord& TreeRecord();
const KindRecord& DateRecord();
const KindRecord& CalendarRecord();
const KindRecord& IpAddressRecord();
const KindRecord& ShortcutRecord();
const KindRecord& HyperLinkRecord();
const KindRecord& ImageRecord();
const KindRecord& ButtonImageRecord();
// The folder-browsing kinds: the backend's list, tree and combo box.
const KindRecord& ExplorerListRecord();
const KindRecord& ExplorerTreeRecord();
const KindRecord& ExplorerComboRecord();

struct ControlParams {
  const KindRecord* record = nullptr;
  Handle parent = 0;
  PixelRect rect;
  TextView text;
  int flags = 0;
};
// Creates the control with control id -1; 0 on failure.
Handle CreateControl(const ControlParams& params);
// Binds the control to its record: id and mark, procedures, font, data.
void AttachGadget(GadgetObject& gadget);
PixelRect ControlRect(Handle control);  // relative to its parent
void MoveControl(Handle control, const PixelRect& rect);
void ShowControl(Handle handle, bool visible);
void EnableHandle(Handle handle, bool enabled);
// Off: changes to the control are not drawn; on again: drawn once, whole.
void SetRedraw(Handle handle, bool on);
void SetTip(Handle control, TextView text);
PixelSize EdgeSize();
int BorderWidth();  // the thin border
// Extent of text as one line in the control's font.
PixelSize TextExtent(Handle control, TextView text);
// Makes control a child of parent at the same position.
void AdoptControl(Handle parent, Handle control);
void RepaintControl(Handle control);

// Scroll areas: an outer control with scroll bars around an inner area that
// holds the gadgets and moves as the user scrolls.
Handle ScrollAreaInner(Handle area);
// The room inside the area's border when no scroll bar shows.
PixelSize ScrollAreaRoom(Handle area);
// Width of a vertical scroll bar, height of a horizontal one.
PixelSize ScrollBarSize();
struct ScrollView {
  PixelSize inner;  // the inner area's size
  PixelSize shown;  // the part of it in view
  int x = 0;        // the shown part's top left in the inner area
  int y = 0;
  bool horizontalBar = false;
  bool verticalBar = false;
};
// Shows the scroll bars and moves the inner area as the view says.
void ShowScrollView(Handle area, const ScrollView& view);

// Shows a check box's or option's state (KV_CheckBox_*).
void ShowCheck(Handle control, int state);
// Shows a value gadget's range and value.
void ShowValue(Handle control, int kind, const ValueRange& range);
// The drives (Windows) or the root folder, for the folder-browsing kinds.
std::vector<Text> FileSystemRoots();
// Editors: text with "\r" between lines, offsets in characters. A line
// exists from 0 to EditorLineCount - 1; an empty editor has one.
int EditorTextLength(Handle editor);
int EditorLineCount(Handle editor);
int EditorLineStart(Handle editor, int line);
int EditorLineLength(Handle editor, int start);  // of the line starting at start
Text EditorLineText(Handle editor, int line);    // of a line that exists, without its break
void EditorReplace(Handle editor, int from, int to, TextView text);
// Puts the caret before the first line and shows the text from there.
void EditorShowStart(Handle editor);

// List views: makes row the current one, with the focus, leaving the
// selection as it is.
void FocusListRow(Handle list, int row);
// The selected row, or the one with the focus when several may be selected;
// -1 for none.
int CurrentListRow(Handle list);

// Panels: a row of tabs, each with a page, a child of the panel that holds
// the tab's gadgets; only the selected tab's page shows. Tabs are counted
// from 0; the selected one is -1 when there is none.
int TabCount(Handle panel);
int SelectedTab(Handle panel);
void SelectTab(Handle panel, int tab);  // shows and hides no page
// Shows the selected tab's page, placed in the panel's display area and
// enabled, or hides and disables it.
void ShowTabPage(Handle panel, bool shown);
Handle TabPage(Handle panel, int tab);  // 0 when there is no such tab
// Inserts a tab at position (0 to TabCount) with a new hidden page, keeping
// the selected tab selected; the page, or 0 on failure.
Handle InsertTab(Handle panel, int position, TextView title);
// Removes the tab and leaves its page; the selected tab stays selected, and
// none is when it was the one removed.
void RemoveTab(Handle panel, int tab);
Text TabTitle(Handle panel, int tab);
void WriteTabTitle(Handle panel, int tab, TextView title);

// ---- Requesters and clipboard -------------------------------------------------
struct TopWindowState {
  Handle handle = 0;
  bool visible = false;
  bool enabled = false;
  bool topmost = false;
};
// The calling thread's top-level windows.
std::vector<TopWindowState> ThreadTopWindows();
// The foreground window when it belongs to this program, else 0.
Handle ForegroundWindow();
void SetTopmost(Handle window, bool topmost);

struct FileRequest {
  bool save = false;
  Handle owner = 0;
  TextView title;
  TextView pattern;      // as the caller gave them
  TextView defaultFile;
  Text filter;           // "description\0wildcards\0...\0\0"
  int filterIndex = 1;   // from 1
  Text directory;        // initial directory, may be empty
  Text fileName;         // proposed name, may be empty
};
// The chosen path, or empty text when cancelled or failed.
Text RunFileRequester(const FileRequest& request);
int RunMessageBox(Handle owner, TextView title, TextView text, int flags);

int ClearClipboard();
int PutClipboard(TextView text);

}  // namespace platform
}  // namespace kv

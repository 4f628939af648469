// The user's actions on the headless screen. Like the real user, the driver
// cannot act on a gadget that is disabled.
#include "driver.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "controls.h"
#include "kinds.h"

namespace kv::headless {

namespace {

// The gadget of a kind, when the user could reach it.
GadgetObject* Usable(int gadget, int kind) {
  GadgetObject* g = FindGadgetObject(gadget);
  if (!g || g->kind->code != kind || !ControlOf(*g).enabled) return nullptr;
  return g;
}

GadgetObject* UsableItemList(int gadget) {
  for (int kind : {GK_LISTICON, GK_TREE, GK_EXPLORERLIST, GK_EXPLORERTREE}) {
    if (GadgetObject* g = Usable(gadget, kind)) return g;
  }
  return nullptr;
}

// Where a drag by delta from start ends: no pointer goes past the int range.
int DraggedTo(int start, int delta) {
  return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{start} + delta, INT_MIN, INT_MAX));
}

// The root of the temporary folder, where tests make theirs: "/" on POSIX,
// a drive on Windows.
Text& TheRoot() {
  static Text root = [] {
    std::error_code error;
    Text current = std::filesystem::temp_directory_path(error).root_path().u16string();
    return current.empty() ? Text(u"/") : current;
  }();
  return root;
}

Control* WindowControl(int window) {
  const WindowObject* record = FindWindowObject(window);
  return record ? FindControl(record->handle) : nullptr;
}

void SetMode(int window, platform::ShowMode mode) {
  if (Control* control = WindowControl(window)) SetWindowMode(*control, mode);
}

}  // namespace

// Buttons, check boxes, options, links and images take a click.
void ClickButton(int gadget) {
  GadgetObject* g = FindGadgetObject(gadget);
  if (!g || !ControlOf(*g).enabled) return;
  switch (g->kind->code) {
    case GK_CHECKBOX:
    case GK_OPTION: OnChoiceClicked(*g); return;
    case GK_BUTTON: {
      Control& button = ControlOf(*g);
      if ((button.flags & KV_Button_Toggle) == KV_Button_Toggle) button.checked = !button.checked;
      break;
    }
    case GK_HYPERLINK:
    case GK_IMAGE:
    case GK_BUTTONIMAGE: break;
    default: return;
  }
  QueueGadgetEvent(*g, ET_LEFT_CLICK);
}

void ClickListItem(int gadget, int item) {
  if (GadgetObject* g = Usable(gadget, GK_LISTVIEW)) return ClickRow(*g, item);
  if (GadgetObject* g = UsableItemList(gadget)) ClickItem(*g, item);
}

void DoubleClickListItem(int gadget, int item) {
  GadgetObject* g = Usable(gadget, GK_LISTVIEW);
  if (!g) g = UsableItemList(gadget);
  if (!g || item < 0 || item >= static_cast<int>(ControlOf(*g).rows.size())) return;
  ClickListItem(gadget, item);
  if (FindGadgetObject(gadget) == g) QueueGadgetEvent(*g, ET_LEFT_DOUBLE_CLICK);
}

void ChooseItem(int gadget, int item) {
  GadgetObject* g = Usable(gadget, GK_COMBOBOX);
  if (!g) g = Usable(gadget, GK_EXPLORERCOMBO);
  if (!g || item < 0 || item >= GadgetItemCount(gadget) || ReadGadgetState(gadget) == item) {
    return;
  }
  g->kind->writeState(*g, item);
  QueueGadgetEvent(*g, ET_CHANGE);
}

void StepValue(int gadget, int steps) {
  GadgetObject* g = FindGadgetObject(gadget);
  if (!g || !ControlOf(*g).enabled) return;
  int code = g->kind->code;
  if (code != GK_TRACKBAR && code != GK_SCROLLBAR && code != GK_SPIN) return;
  for (int i = 0; i < std::abs(steps) && FindGadgetObject(gadget) == g; ++i) {
    OnValueStepped(*g, steps > 0 ? ScrollMove::LineForward : ScrollMove::LineBack);
  }
}

void SetFileSystemRoot(TextView folder) { TheRoot() = Text(folder); }
Text FileSystemRoot() { return TheRoot(); }

void TypeText(int gadget, TextView text) {
  GadgetObject* g = Usable(gadget, GK_STRING);
  if (!g) g = Usable(gadget, GK_EDITOR);
  if (!g) return;
  MoveFocus(g->handle);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    // The gadget may be gone once a handler has run.
    if (FindGadgetObject(gadget) != g) return;
    TypeCharacter(*g, text[i]);
  }
}

void FocusGadget(int gadget) {
  GadgetObject* g = FindGadgetObject(gadget);
  MoveFocus(g ? g->handle : 0);
}

void ChooseTab(int gadget, int index) {
  GadgetObject* g = Usable(gadget, GK_PANEL);
  if (!g) return;
  Control& panel = ControlOf(*g);
  if (index == panel.selectedTab || index < 0 || index >= static_cast<int>(panel.tabs.size())) {
    return;
  }
  platform::ShowTabPage(g->handle, false);
  platform::SelectTab(g->handle, index);
  platform::ShowTabPage(g->handle, true);
  QueueGadgetEvent(*g, ET_CHANGE);
}

void DragSplitter(int gadget, int dx, int dy) {
  GadgetObject* g = Usable(gadget, GK_SPLITTER);
  if (!g) return;
  SplitterBar bar = SplitterBarOf(*g);
  OnSplitterDragged(*g, bar.vertical ? DraggedTo(bar.rect.x, dx) : DraggedTo(bar.rect.y, dy));
}

void ScrollLines(int gadget, bool vertical, int lines) {
  GadgetObject* g = Usable(gadget, GK_SCROLLAREA);
  if (!g || !ShowsScrollBar(gadget, vertical)) return;
  for (int i = 0; i < lines; ++i) OnScrollAreaScrolled(*g, vertical, ScrollMove::LineForward);
  for (int i = 0; i > lines; --i) OnScrollAreaScrolled(*g, vertical, ScrollMove::LineBack);
}

void RequestClose(int window) {
  if (WindowControl(window)) OnWindowClose(window);
}

bool FireTimer(int window, int timerId) {
  Control* control = WindowControl(window);
  if (!control || !control->timers.count(timerId)) return false;
  OnTimer(window, timerId);
  return true;
}

void ResizeWindow(int window, int innerWidth, int innerHeight) {
  if (Control* control = WindowControl(window)) {
    platform::PlaceTopWindow(control->handle, KEEP_CURRENT, KEEP_CURRENT, innerWidth,
                             innerHeight);
  }
}

void MinimizeWindow(int window) { SetMode(window, platform::ShowMode::Minimized); }
void MaximizeWindow(int window) { SetMode(window, platform::ShowMode::Maximized); }
void RestoreWindow(int window) { SetMode(window, platform::ShowMode::Normal); }

bool IsShown(Handle handle) {
  const Control* control = FindControl(handle);
  return control && control->visible;
}

bool IsEnabled(Handle handle) {
  const Control* control = FindControl(handle);
  return control && control->enabled;
}

Handle FocusedHandle() { return Focus(); }

Handle ActiveWindow() { return Active(); }

Text TipOf(int gadget) {
  const GadgetObject* g = FindGadgetObject(gadget);
  return g ? ControlOf(*g).tip : Text{};
}

int FirstShownLine(int gadget) {
  const GadgetObject* g = FindGadgetObject(gadget);
  return g ? ControlOf(*g).shownLine : 0;
}

PixelRect GadgetRect(int gadget) {
  const GadgetObject* g = FindGadgetObject(gadget);
  return g ? ControlOf(*g).rect : PixelRect{};
}

PixelRect ScreenRect(int gadget) {
  const GadgetObject* g = FindGadgetObject(gadget);
  if (!g) return {};
  PixelRect rect = ControlOf(*g).rect;
  for (const Control* c = FindControl(ControlOf(*g).parent); c; c = FindControl(c->parent)) {
    rect.x += c->rect.x;
    rect.y += c->rect.y;
    if (c->cls == ControlClass::Window) break;
  }
  return rect;
}

bool ShowsScrollBar(int gadget, bool vertical) {
  const GadgetObject* g = FindGadgetObject(gadget);
  if (!g || g->kind->code != GK_SCROLLAREA) return false;
  const Control& area = ControlOf(*g);
  return vertical ? area.verticalBar : area.horizontalBar;
}

}  // namespace kv::headless

// The user's actions on the headless screen. Like the real user, the driver
// cannot act on a gadget that is disabled.
#include "driver.h"

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

Control* WindowControl(int window) {
  const WindowObject* record = FindWindowObject(window);
  return record ? FindControl(record->handle) : nullptr;
}

void SetMode(int window, platform::ShowMode mode) {
  if (Control* control = WindowControl(window)) SetWindowMode(*control, mode);
}

}  // namespace

void ClickButton(int gadget) {
  GadgetObject* g = Usable(gadget, GK_BUTTON);
  if (!g) return;
  Control& button = ControlOf(*g);
  if ((button.flags & KV_Button_Toggle) == KV_Button_Toggle) button.checked = !button.checked;
  QueueGadgetEvent(*g, ET_LEFT_CLICK);
}

void ClickListItem(int gadget, int item) {
  if (GadgetObject* g = Usable(gadget, GK_LISTVIEW)) ClickRow(*g, item);
}

void DoubleClickListItem(int gadget, int item) {
  GadgetObject* g = Usable(gadget, GK_LISTVIEW);
  if (!g || item < 0 || item >= static_cast<int>(ControlOf(*g).rows.size())) return;
  ClickRow(*g, item);
  QueueGadgetEvent(*g, ET_LEFT_DOUBLE_CLICK);
}

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
  SelectTab(panel, index);
  QueueGadgetEvent(*g, ET_CHANGE);
}

void DragSplitter(int gadget, int dx, int dy) {
  GadgetObject* g = Usable(gadget, GK_SPLITTER);
  if (!g) return;
  SplitterBar bar = SplitterBarOf(*g);
  OnSplitterDragged(*g, bar.vertical ? bar.rect.x + dx : bar.rect.y + dy);
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

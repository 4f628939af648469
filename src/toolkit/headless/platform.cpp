// The platform operations of the headless backend: windows and controls in
// memory, no messages, no time. Waiting finds no platform message at once.
#include <algorithm>
#include <memory>

#include "controls.h"
#include "driver.h"
#include "kinds.h"
#include "metrics.h"
#include "toolkit/dpi.h"

namespace kv {

namespace headless {

namespace {

struct Settings {
  PixelSize dpi{96, 96};
  bool composition = false;
};

Settings& TheSettings() {
  static Settings settings;
  return settings;
}

int Clamp(int value, int low, int high) {
  if (high > 0) value = std::min(value, high);
  return std::max(value, low);
}

// As the platform makes them, a control given a size below zero is empty.
PixelRect NotNegative(PixelRect rect) {
  rect.width = std::max(0, rect.width);
  rect.height = std::max(0, rect.height);
  return rect;
}

}  // namespace

void SetWindowMode(Control& window, platform::ShowMode mode) {
  if (window.mode == mode) return;
  if (window.mode == platform::ShowMode::Normal) window.restoredRect = window.rect;
  window.mode = mode;
  switch (mode) {
    case platform::ShowMode::Maximized:
      window.rect = {0, 0, kScreenWidth, kScreenHeight};
      OnWindowSized(window.window, SizeChange::Maximized);
      break;
    case platform::ShowMode::Minimized:
      OnWindowSized(window.window, SizeChange::Minimized);
      break;
    case platform::ShowMode::Normal:
      window.rect = window.restoredRect;
      OnWindowSized(window.window, SizeChange::Restored);
      break;
  }
}

void SetScreenDpi(int x, int y) { TheSettings().dpi = {x, y}; }
void SetDesktopComposition(bool on) { TheSettings().composition = on; }

}  // namespace headless

namespace platform {

using headless::Control;
using headless::ControlClass;
using headless::FindControl;

PixelSize ScreenDpi() { return headless::TheSettings().dpi; }
void InitEvents() {}
void EndEvents() {}
void InitWindows() {}
void EndWindows() { headless::DestroyAllControls(); }
void InitGadgets() {}
void EndGadgets() {}

int PumpMessage(int) { return 0; }
void WakeMessageWait() {}

// ---- Windows -------------------------------------------------------------------

Handle OpenWindow(const WindowParams& params) {
  if (params.owner && !FindControl(params.owner)) return 0;
  Control window;
  window.cls = ControlClass::Window;
  window.parent = params.owner;
  window.flags = params.style;
  window.window = params.number;
  window.text = Text(params.title);
  window.rect = params.rect;
  if (params.defaultPosition) {
    window.rect.x = headless::kDefaultWindowX;
    window.rect.y = headless::kDefaultWindowY;
  }
  window.visible = false;
  window.thread = std::this_thread::get_id();
  return headless::AddControl(std::move(window)).handle;
}

void ShowTopWindow(Handle handle, ShowMode mode, bool activate) {
  Control* window = FindControl(handle);
  if (!window) return;
  window->visible = true;
  headless::SetWindowMode(*window, mode);
  if (activate) headless::Activate(handle);
}

void HideTopWindow(Handle handle) {
  Control* window = FindControl(handle);
  if (!window) return;
  if (headless::Active() == handle) headless::Activate(window->parent);
  window->visible = false;
}

ShowMode TopWindowMode(Handle handle) {
  Control* window = FindControl(handle);
  return window ? window->mode : ShowMode::Normal;
}

void DestroyHandle(Handle handle) { headless::DestroyControl(handle); }

void PlaceTopWindow(Handle handle, int x, int y, int innerWidth, int innerHeight) {
  Control* window = FindControl(handle);
  if (!window) return;
  if (window->mode == ShowMode::Maximized) headless::SetWindowMode(*window, ShowMode::Normal);
  PixelRect rect = window->rect;
  if (x != KEEP_CURRENT) rect.x = x;
  if (y != KEEP_CURRENT) rect.y = y;
  if (innerWidth != KEEP_CURRENT) rect.width = innerWidth;
  if (innerHeight != KEEP_CURRENT) rect.height = innerHeight;
  // The platform holds a window within its size limits.
  if (const WindowObject* limits = FindWindowObject(window->window)) {
    rect.width = headless::Clamp(rect.width, limits->minWidth, limits->maxWidth);
    rect.height = headless::Clamp(rect.height, limits->minHeight, limits->maxHeight);
  }
  bool moved = rect.x != window->rect.x || rect.y != window->rect.y;
  bool sized = rect.width != window->rect.width || rect.height != window->rect.height;
  window->rect = rect;
  int number = window->window;
  if (moved) OnWindowMoved(number);
  if (sized) OnWindowSized(number, SizeChange::Restored);
}

PixelSize InnerSize(Handle handle) {
  Control* window = FindControl(handle);
  return window ? PixelSize{window->rect.width, window->rect.height} : PixelSize{};
}

PixelRect OuterRect(Handle handle) {
  Control* window = FindControl(handle);
  return window ? window->rect : PixelRect{};
}

void MoveOuter(Handle handle, int x, int y) {
  Control* window = FindControl(handle);
  if (!window || (window->rect.x == x && window->rect.y == y)) return;
  window->rect.x = x;
  window->rect.y = y;
  OnWindowMoved(window->window);
}

PixelSize ScreenSize() { return {headless::kScreenWidth, headless::kScreenHeight}; }

bool DesktopComposition() { return headless::TheSettings().composition; }

int StartTimer(Handle handle, int timerId, int) {
  Control* window = FindControl(handle);
  if (!window) return 0;
  window->timers.insert(timerId);
  return 1;
}

Text ReadText(Handle handle) {
  Control* control = FindControl(handle);
  return control ? control->text : Text{};
}

void WriteText(Handle handle, TextView text) {
  Control* control = FindControl(handle);
  if (!control) return;
  control->text = Text(text);
  // An entry field reports every change of its text, the program's too.
  if (control->cls == ControlClass::Edit && control->gadget != -1) {
    if (const GadgetObject* gadget = FindGadgetObject(control->gadget)) {
      QueueGadgetEvent(*gadget, 1024);
      QueueGadgetEvent(*gadget, ET_CHANGE);
    }
  }
}

int WindowNumberOf(Handle handle) {
  Control* window = headless::TopWindowOf(handle);
  return window ? window->window : -1;
}

// ---- Gadgets -------------------------------------------------------------------

Handle CreateControl(const ControlParams& params) {
  if (!FindControl(params.parent)) return 0;
  const KindRecord& kind = *params.record;
  Control control;
  control.cls = kind.cls;
  control.parent = params.parent;
  control.flags = params.flags;
  control.rect = headless::NotNegative(params.rect);
  if (kind.keepsText) control.text = Text(params.text);
  Control& made = headless::AddControl(std::move(control));
  if (kind.made) kind.made(made);
  return made.handle;
}

void AttachGadget(GadgetObject& gadget) {
  if (Control* control = FindControl(gadget.handle)) control->gadget = gadget.number;
}

PixelRect ControlRect(Handle handle) {
  Control* control = FindControl(handle);
  return control ? control->rect : PixelRect{};
}

void MoveControl(Handle handle, const PixelRect& rect) {
  if (Control* control = FindControl(handle)) control->rect = headless::NotNegative(rect);
}

void ShowControl(Handle handle, bool visible) {
  if (Control* control = FindControl(handle)) control->visible = visible;
}

void EnableHandle(Handle handle, bool enabled) {
  if (Control* control = FindControl(handle)) control->enabled = enabled;
}

void SetRedraw(Handle, bool) {}  // nothing is drawn

void SetTip(Handle handle, TextView text) {
  if (Control* control = FindControl(handle)) control->tip = Text(text);
}

PixelSize EdgeSize() { return {headless::kEdgeWidth, headless::kEdgeHeight}; }
int BorderWidth() { return headless::kBorderWidth; }

PixelSize TextExtent(Handle handle, TextView text) {
  PixelSize size = headless::MeasureLine(text);
  const Control* control = FindControl(handle);
  if (control && control->cls == ControlClass::Frame) {
    size.height = ToPixelsY(headless::kCaptionHeight);
  }
  return size;
}

void AdoptControl(Handle parent, Handle handle) {
  Control* control = FindControl(handle);
  Control* adopter = FindControl(parent);
  if (!control || !adopter) return;
  if (Control* old = FindControl(control->parent)) std::erase(old->children, handle);
  control->parent = parent;
  adopter->children.push_back(handle);
}

void RepaintControl(Handle) {}

std::vector<Text> FileSystemRoots() { return {headless::FileSystemRoot()}; }

}  // namespace platform
}  // namespace kv

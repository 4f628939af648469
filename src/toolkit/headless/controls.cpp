#include "controls.h"

#include <algorithm>
#include <map>

#include "toolkit/events.h"

namespace kv::headless {

namespace {

constexpr Handle kFirstHandle = 0x10000;
constexpr Handle kHandleStep = 4;

struct Screen {
  std::map<Handle, Control> controls;
  Handle next = kFirstHandle;
  Handle focus = 0;
  Handle active = 0;
};

Screen& TheScreen() {
  static Screen screen;
  return screen;
}

}  // namespace

Control* FindControl(Handle handle) {
  auto it = TheScreen().controls.find(handle);
  return it == TheScreen().controls.end() ? nullptr : &it->second;
}

Control& AddControl(Control control) {
  Screen& screen = TheScreen();
  control.handle = screen.next;
  screen.next += kHandleStep;
  if (Control* parent = FindControl(control.parent)) parent->children.push_back(control.handle);
  return screen.controls.emplace(control.handle, std::move(control)).first->second;
}

void DestroyControl(Handle handle) {
  Control* control = FindControl(handle);
  if (!control) return;
  // Children first, as the platform's final destruction goes.
  for (Handle child : std::vector<Handle>(control->children)) DestroyControl(child);
  control = FindControl(handle);
  if (!control) return;
  Screen& screen = TheScreen();
  if (screen.focus == handle) screen.focus = 0;
  if (screen.active == handle) {
    screen.active = 0;
    if (FindControl(control->parent)) Activate(control->parent);
  }
  if (Control* parent = FindControl(control->parent)) std::erase(parent->children, handle);
  int window = control->window;
  int gadget = control->gadget;
  screen.controls.erase(handle);
  if (window != -1) OnWindowDestroyed(window, handle);
  if (gadget != -1) OnGadgetDestroyed(gadget, handle);
}

void DestroyAllControls() {
  std::vector<Handle> roots;
  for (const auto& [handle, control] : TheScreen().controls) {
    if (!FindControl(control.parent)) roots.push_back(handle);
  }
  for (Handle root : roots) DestroyControl(root);
}

Control* TopWindowOf(Handle handle) {
  for (Control* control = FindControl(handle); control; control = FindControl(control->parent)) {
    if (control->cls == ControlClass::Window) return control;
  }
  return nullptr;
}

std::vector<Control*> TopWindows() {
  std::vector<Control*> windows;
  for (auto& [handle, control] : TheScreen().controls) {
    if (control.cls == ControlClass::Window) windows.push_back(&control);
  }
  return windows;
}

Handle Focus() { return TheScreen().focus; }

// Entry fields and editors report the focus twice: with the event types of
// their own focus messages, then with the platform's notification codes.
void MoveFocus(Handle handle) {
  constexpr int kSetFocusCode = 256;
  constexpr int kKillFocusCode = 512;
  auto report = [](Handle control, int type, int code) {
    const Control* c = FindControl(control);
    if (!c || c->gadget == -1) return;
    if (c->cls != ControlClass::Edit && c->cls != ControlClass::RichEdit) return;
    if (const GadgetObject* gadget = FindGadgetObject(c->gadget)) {
      QueueGadgetEvent(*gadget, type);
      QueueGadgetEvent(*gadget, code);
    }
  };
  Screen& screen = TheScreen();
  Handle previous = screen.focus;
  if (previous == handle) return;
  screen.focus = handle;
  report(previous, ET_LOST_FOCUS, kKillFocusCode);
  report(handle, ET_FOCUS, kSetFocusCode);
}

Handle Active() { return TheScreen().active; }

void Activate(Handle window) {
  Screen& screen = TheScreen();
  Handle previous = screen.active;
  if (previous == window) return;
  screen.active = window;
  if (const Control* c = FindControl(previous)) OnWindowActivated(c->window, false);
  if (const Control* c = FindControl(window)) OnWindowActivated(c->window, true);
}

}  // namespace kv::headless

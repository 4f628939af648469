#include "toolkit/top_windows.h"

#include <algorithm>

#include "detail/core.h"
#include "detail/handlers.h"
#include "runtime/object_table.h"
#include "toolkit/platform.h"
#include "toolkit/dpi.h"
#include "toolkit/gadgets.h"

namespace kv {

namespace {

constexpr int kGrowthStep = 16;
constexpr int kCentring = KV_Window_ScreenCentered | KV_Window_WindowCentered;
constexpr int kMinimizeBox = 0x20000;
constexpr int kMaximizeBox = 0x10000;
constexpr int kSizingTitleBar = KV_Window_SizeGadget;  // sizing border with title bar
constexpr int kCompositionFrame = 5;  // units the invisible frame of composition adds
constexpr int kLargestLimit = 32000;

void DisposeOne(int number);

ObjectTable<WindowObject>& Table() {
  static ObjectTable<WindowObject> table(kGrowthStep, DisposeOne);
  return table;
}

WindowObject* Find(int number) {
  WindowObject* window = Table().Find(number);
  return window && window->handle ? window : nullptr;
}

struct StyleChoice {
  int style = 0;  // for the platform
  bool tool = false;
  bool show = true;
};

StyleChoice ChooseStyle(int flags) {
  StyleChoice choice;
  int style = flags & ~KV_Window_KeepGadgetParent;
  constexpr int kPlacementOnly = kCentring | KV_Window_KeepGadgetParent | KV_Window_Invisible;
  if ((flags & ~kPlacementOnly) == 0) style |= KV_Window_TitleBar;
  if (style & KV_Window_Invisible) {
    style &= ~KV_Window_Invisible;
    choice.show = false;
  }
  if (style & KV_Window_Tool) {
    choice.tool = true;
    style &= ~(kStyleMinimized | kStyleMaximized | kMinimizeBox | kMaximizeBox);
    style |= KV_Window_TitleBar;
  }
  choice.style = style & ~(KV_Window_NoActivate | kCentring | KV_Window_Tool);
  return choice;
}

platform::ShowMode ModeOf(int style) {
  if (style & kStyleMaximized) return platform::ShowMode::Maximized;
  if (style & kStyleMinimized) return platform::ShowMode::Minimized;
  return platform::ShowMode::Normal;
}

// Under desktop composition a sizing frame is wider than it looks, so a
// position given for the visible frame moves left by that much.
int CompensateFrame(int x) {
  return platform::DesktopComposition() ? x - FromPixelsX(kCompositionFrame) : x;
}

int SizeLimit(int value, int stored, int (*toPixels)(int), bool maximum) {
  if (value == KEEP_CURRENT) return stored;
  if (value == -1) return 0;
  int pixels = toPixels(value);
  if (pixels < 0) return 0;
  return maximum && pixels > kLargestLimit ? kLargestLimit : pixels;
}

void DisposeOne(int number) {
  WindowObject* window = Table().Find(number);
  if (!window) return;
  Handle handle = window->handle;
  detail::UnbindWindowHandlers(number);
  if (handle) platform::DestroyHandle(handle);
  OnWindowDestroyed(number, handle);  // in case the platform did not report it
}

}  // namespace

void InitWindowLibrary() {
  Table() = ObjectTable<WindowObject>(kGrowthStep, DisposeOne);
  platform::InitWindows();
}

void EndWindowLibrary() {
  DisposeWindow(KV_Any);
  platform::EndWindows();
}

Handle NewWindow(int number, int x, int y, int innerWidth, int innerHeight, TextView title,
                 int flags, Handle parent) {
  int assigned = 0;
  WindowObject* window = Table().Create(number, &assigned);
  if (!window) return 0;
  StyleChoice choice = ChooseStyle(flags);

  platform::WindowParams params;
  params.number = assigned;
  params.defaultPosition = x == KEEP_CURRENT || (y == KEEP_CURRENT && !(flags & kCentring));
  if (!params.defaultPosition) {
    if ((choice.style & kSizingTitleBar) == kSizingTitleBar) x = CompensateFrame(x);
    params.rect.x = ToPixelsX(x);
    params.rect.y = y == KEEP_CURRENT ? 0 : ToPixelsY(y);
  }
  params.rect.width = innerWidth == KEEP_CURRENT ? 0 : ToPixelsX(innerWidth);
  params.rect.height = innerHeight == KEEP_CURRENT ? 0 : ToPixelsY(innerHeight);
  params.title = title;
  params.style = choice.style;
  params.tool = choice.tool;
  params.owner = parent;
  Handle handle = platform::OpenWindow(params);
  if (!handle) {
    Table().Remove(assigned);
    return 0;
  }
  window->handle = handle;
  window->owner = parent;
  window->style = choice.style;

  if (flags & kCentring) CentreWindow(handle, flags, parent);
  int showState = choice.style & (kStyleMinimized | kStyleMaximized);
  if (choice.show) {
    platform::ShowTopWindow(handle, ModeOf(choice.style), !(flags & KV_Window_NoActivate));
  } else if (showState) {
    window->pendingShow = showState;
  }
  window->minimizedOrMaximized = showState != 0;
  if (!(flags & KV_Window_KeepGadgetParent)) SetGadgetParentWindow(handle);
  window->ready = true;
  return number == KV_Any ? assigned : handle;
}

void DisposeWindow(int number) { Table().Free(number); }

const WindowObject* FindWindowObject(int number) { return Find(number); }

int SetWindowCaption(int number, TextView text) {
  WindowObject* window = Find(number);
  if (!window) return 0;
  platform::WriteText(window->handle, text);
  return 1;
}

Text GetWindowCaption(int number) {
  WindowObject* window = Find(number);
  return window ? platform::ReadText(window->handle) : Text{};
}

int StartWindowTimer(int number, int timerId, int intervalMs) {
  WindowObject* window = Find(number);
  return window ? platform::StartTimer(window->handle, timerId, intervalMs) : 0;
}

void CentreWindow(Handle window, int flags, Handle owner) {
  if (!window) return;
  PixelRect rect = platform::OuterRect(window);
  if (flags & KV_Window_ScreenCentered) {
    PixelSize screen = platform::ScreenSize();
    platform::MoveOuter(window, (screen.width - std::min(rect.width, screen.width)) / 2,
                        (screen.height - std::min(rect.height, screen.height)) / 2);
  } else if ((flags & KV_Window_WindowCentered) && owner) {
    PixelRect around = platform::OuterRect(owner);
    platform::MoveOuter(window, std::max(0, around.x + (around.width - rect.width) / 2),
                        std::max(0, around.y + (around.height - rect.height) / 2));
  }
}

void PlaceWindow(int number, int x, int y, int innerWidth, int innerHeight) {
  WindowObject* window = Find(number);
  if (!window) return;
  if (x != KEEP_CURRENT && y != KEEP_CURRENT && (window->style & kStyleSizingBorder)) {
    x = CompensateFrame(x);
  }
  auto pixels = [](int value, int (*toPixels)(int)) {
    return value == KEEP_CURRENT ? KEEP_CURRENT : toPixels(value);
  };
  platform::PlaceTopWindow(window->handle, pixels(x, ToPixelsX), pixels(y, ToPixelsY),
                           pixels(innerWidth, ToPixelsX), pixels(innerHeight, ToPixelsY));
}

void SetWindowHidden(int number, int hidden, int flags) {
  WindowObject* window = Find(number);
  if (!window) return;
  if (hidden) {
    platform::HideTopWindow(window->handle);
    return;
  }
  if (flags & kCentring) CentreWindow(window->handle, flags, window->owner);
  platform::ShowMode mode = window->pendingShow != -1 ? ModeOf(window->pendingShow)
                                                      : platform::TopWindowMode(window->handle);
  window->pendingShow = -1;
  platform::ShowTopWindow(window->handle, mode, !(flags & KV_Window_NoActivate));
}

void SetWindowSizeLimits(int number, int minWidth, int minHeight, int maxWidth, int maxHeight) {
  WindowObject* window = Find(number);
  if (!window) return;
  window->minWidth = SizeLimit(minWidth, window->minWidth, ToPixelsX, false);
  window->minHeight = SizeLimit(minHeight, window->minHeight, ToPixelsY, false);
  window->maxWidth = SizeLimit(maxWidth, window->maxWidth, ToPixelsX, true);
  window->maxHeight = SizeLimit(maxHeight, window->maxHeight, ToPixelsY, true);
  if (!window->minimizedOrMaximized) {
    PlaceWindow(number, KEEP_CURRENT, KEEP_CURRENT, KEEP_CURRENT, KEEP_CURRENT);
  }
}

int GetWindowInnerWidth(int number) {
  WindowObject* window = Find(number);
  return window ? FromPixelsX(platform::InnerSize(window->handle).width) : 0;
}

int GetWindowInnerHeight(int number) {
  WindowObject* window = Find(number);
  return window ? FromPixelsY(platform::InnerSize(window->handle).height) : 0;
}

Handle GetWindowHandle(int number) {
  WindowObject* window = Find(number);
  return window ? window->handle : 0;
}

// ---- What the platform reports ------------------------------------------------

void OnWindowClose(int window) {
  if (Find(window)) QueueEvent(EV_CLOSE, window, window, 0);
}

void OnWindowMoved(int window) {
  WindowObject* record = Find(window);
  if (record && record->ready) QueueEvent(EV_MOVE, window, window, 0);
}

void OnWindowSized(int window, SizeChange change) {
  WindowObject* record = Find(window);
  if (!record || !record->ready) return;
  switch (change) {
    case SizeChange::Minimized:
      record->minimizedOrMaximized = true;
      QueueEvent(EV_MINIMIZE, 0, window, 0);
      return;
    case SizeChange::Maximized:
      record->minimizedOrMaximized = true;
      QueueEvent(EV_MAXIMIZE, 0, window, 0);
      QueueEvent(EV_SIZE, 0, window, 0);
      return;
    case SizeChange::Restored:
      if (record->minimizedOrMaximized) {
        record->minimizedOrMaximized = false;
        QueueEvent(EV_RESTORE, 0, window, 0);
      }
      [[fallthrough]];
    case SizeChange::Other:
      // A drag-resize must not flood the queue: only the newest size counts.
      DropQueuedEvents(EV_SIZE, 0, window, 0);
      QueueEvent(EV_SIZE, 0, window, 0);
      return;
  }
}

void OnWindowActivated(int window, bool active) {
  if (Find(window)) QueueEvent(active ? EV_ACTIVATE : EV_DEACTIVATE, 0, window, 0);
}

void OnTimer(int window, int timerId) {
  if (Find(window)) QueueEvent(EV_TIMER, timerId, window, 0);
}

void OnWindowDestroyed(int window, Handle handle) {
  WindowObject* record = Table().Find(window);
  if (!record || record->handle != handle) return;
  detail::UnbindWindowHandlers(window);
  detail::ForgetGadgetParents(handle);
  DropQueuedEvents(-1, -1, window, -1);
  Table().Remove(window);
}

}  // namespace kv

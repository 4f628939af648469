// The window procedure of every toolkit window, also serving panel pages:
// platform messages become events, and messages about a control go to its
// gadget first.
#include "win32.h"

#include "toolkit/events.h"

namespace kv::win32 {

namespace {

constexpr int kMenuControlId = -10000;  // controls that report as menu items
constexpr UINT kTrayMessage = 12501;

SizeChange SizeChangeOf(WPARAM kind) {
  switch (kind) {
    case SIZE_RESTORED: return SizeChange::Restored;
    case SIZE_MINIMIZED: return SizeChange::Minimized;
    case SIZE_MAXIMIZED: return SizeChange::Maximized;
    default: return SizeChange::Other;
  }
}

// The focused child is remembered while the window is inactive and gets
// the focus back when the window is activated again.
void Activate(HWND window, bool active) {
  if (active) {
    auto focus = reinterpret_cast<HWND>(GetTag(window, Tag::Focus));
    if (focus && IsWindow(focus) && IsChild(window, focus)) SetFocus(focus);
    return;
  }
  HWND focus = GetFocus();
  if (focus && IsChild(window, focus)) {
    SetTag(window, Tag::Focus, reinterpret_cast<std::intptr_t>(focus));
  }
  SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
}

void ApplySizeLimits(HWND window, int number, MINMAXINFO* info) {
  const WindowObject* record = FindWindowObject(number);
  if (!record) return;
  auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  auto exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
  RECT frame{};
  AdjustWindowRectEx(&frame, style, GetMenu(window) != nullptr, exStyle);
  int frameWidth = frame.right - frame.left;
  int frameHeight = frame.bottom - frame.top;
  if (record->minWidth) {
    info->ptMinTrackSize.x = record->minWidth + frameWidth;
  } else if (exStyle & WS_EX_TOOLWINDOW) {
    info->ptMinTrackSize.x = 1;
  }
  if (record->minHeight) info->ptMinTrackSize.y = record->minHeight + frameHeight;
  if (record->maxWidth) info->ptMaxTrackSize.x = record->maxWidth + frameWidth;
  if (record->maxHeight) info->ptMaxTrackSize.y = record->maxHeight + frameHeight;
}

// Offers a message about a control to its gadget's kind.
bool OfferToGadget(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  GadgetObject* gadget = control ? GadgetOfHwnd(control) : nullptr;
  if (!gadget) return false;
  const KindRecord& kind = *gadget->record;
  return kind.hook && kind.hook(*gadget, message, wParam, lParam, result);
}

bool Command(HWND window, int number, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  auto control = reinterpret_cast<HWND>(lParam);
  int code = HIWORD(wParam);
  *result = 0;
  if (control) {
    if (OfferToGadget(control, WM_COMMAND, wParam, lParam, result)) return true;
    auto id = static_cast<int>(GetWindowLongPtrW(control, GWLP_ID));
    if (id == kMenuControlId) {
      QueueEvent(EV_MENU, LOWORD(wParam), number, 0);
    } else if (id != kUnattachedId) {
      QueueEvent(EV_GADGET, id, number, code);
    }
    return true;
  }
  int command = LOWORD(wParam);
  if (code == 1 && (command == kFocusNextCommand || command == kFocusPreviousCommand)) {
    MoveFocus(window, command == kFocusNextCommand);
  } else if (code != 0) {
    QueueEvent(EV_MENU, command, number, 0);
  } else {
    QueueEvent(EV_MENU, static_cast<int>(wParam), number, 0);
  }
  return true;
}

void FinalDestroy(HWND window, int number) {
  ForgetTags(window);
  DestroyShortcuts(window);
  RetireWindowClass(window);
  OnWindowDestroyed(number, HandleOf(window));
}

BOOL CALLBACK ForwardColorChange(HWND child, LPARAM) {
  SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
  return TRUE;
}

}  // namespace

int WindowNumberOfHwnd(HWND hwnd, HWND* window) {
  for (HWND h = hwnd; h; h = GetAncestor(h, GA_PARENT)) {
    if (std::intptr_t id = GetTag(h, Tag::WindowId)) {
      if (window) *window = h;
      return static_cast<int>(id) - 1;
    }
  }
  return -1;
}

// Background erases stay with the class brush: EV_REPAINT goes with window
// background colours, which toolkit windows do not have.
bool TranslateWindowMessage(HWND receiver, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT* result) {
  HWND window = nullptr;
  int number = WindowNumberOfHwnd(receiver, &window);
  if (number < 0) return false;
  bool itself = receiver == window;
  *result = 0;
  switch (message) {
    case WM_CLOSE:
      if (!itself) return false;
      OnWindowClose(number);  // closing is the program's decision
      return true;
    case WM_MOVE:
      if (itself) OnWindowMoved(number);
      return itself;
    case WM_SIZE:
      if (itself) OnWindowSized(number, SizeChangeOf(wParam));
      return itself;
    case WM_ACTIVATE: {
      if (!itself) return false;
      bool active = LOWORD(wParam) != WA_INACTIVE;
      Activate(window, active);
      OnWindowActivated(number, active);
      return true;
    }
    case WM_SYSCOLORCHANGE:
      EnumChildWindows(receiver, ForwardColorChange, 0);
      return false;
    case WM_GETMINMAXINFO:
      if (!itself) return false;
      ApplySizeLimits(window, number, reinterpret_cast<MINMAXINFO*>(lParam));
      return true;
    case WM_COMMAND:
      return Command(window, number, wParam, lParam, result);
    case WM_NOTIFY:
      return OfferToGadget(reinterpret_cast<NMHDR*>(lParam)->hwndFrom, message, wParam, lParam,
                           result);
    case WM_DRAWITEM:
      return OfferToGadget(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem, message, wParam,
                           lParam, result);
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      return OfferToGadget(reinterpret_cast<HWND>(lParam), message, wParam, lParam, result);
    case WM_TIMER:
      if (!itself) return false;
      OnTimer(number, static_cast<int>(wParam));
      return true;
    case WM_LBUTTONUP:
      QueueEvent(EV_LEFT_CLICK, 0, number, 0);
      return false;
    case WM_LBUTTONDBLCLK:
      QueueEvent(EV_LEFT_DOUBLE_CLICK, 0, number, 0);
      return false;
    case WM_RBUTTONUP:
      QueueEvent(EV_RIGHT_CLICK, 0, number, 0);
      return false;
    case kTrayMessage: {
      int type = -1;
      switch (lParam) {
        case WM_LBUTTONDOWN: type = 0; break;
        case WM_RBUTTONDOWN: type = 1; break;
        case WM_LBUTTONDBLCLK: type = 2; break;
        case WM_RBUTTONDBLCLK: type = 3; break;
      }
      if (type >= 0) {
        QueueEvent(EV_TRAY, static_cast<int>(wParam), number, type);
        PostMessageW(window, WM_NULL, 0, 0);  // wakes a waiting WaitForEvent
      }
      return true;
    }
    case WM_NCDESTROY:
      if (itself) FinalDestroy(window, number);
      return false;
    default:
      return false;
  }
}

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (TranslateWindowMessage(hwnd, message, wParam, lParam, &result)) return result;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace kv::win32

// Tooltips: one tooltip control per thread, a tool per gadget control.
#include "win32.h"

#include <commctrl.h>

namespace kv {

namespace win32 {

namespace {

struct Tips {
  HWND window = nullptr;
  WNDPROC previous = nullptr;
};

Tips& ThreadTips() {
  thread_local Tips tips;
  return tips;
}

// Kept on top of everything, windows made topmost later included.
LRESULT CALLBACK TipProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return CallWindowProcW(ThreadTips().previous, hwnd, message, wParam, lParam);
}

HWND TipWindow() {
  Tips& tips = ThreadTips();
  if (tips.window) return tips.window;
  tips.window = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                Instance(), nullptr);
  if (tips.window) {
    tips.previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        tips.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TipProcedure)));
  }
  return tips.window;
}

}  // namespace

Text TakeTip(HWND control) {
  HWND tips = ThreadTips().window;
  if (!tips) return {};
  wchar_t text[1024] = {};
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  if (!SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) return {};
  SendMessageW(tips, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  return FromWide(text, wcslen(text));
}

void DestroyTips() {
  Tips& tips = ThreadTips();
  if (tips.window) DestroyWindow(tips.window);
  tips = {};
}

}  // namespace win32

namespace platform {

void SetTip(Handle control, TextView text) {
  HWND tips = win32::TipWindow();
  if (!tips) return;
  HWND hwnd = win32::Hwnd(control);
  std::wstring wide = win32::Wide(text);
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = GetParent(hwnd);
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
  bool known = SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool));
  tool.lpszText = wide.data();
  if (known) {
    SendMessageW(tips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  } else {
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

}  // namespace platform
}  // namespace kv

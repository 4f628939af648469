// Waiting for one platform message, the shortcut tables that turn Tab and
// Shift+Tab into focus moves, and the focus moves themselves.
#include "win32.h"

#include <richedit.h>

#include <map>
#include <vector>

namespace kv {

namespace win32 {

namespace {

std::map<HWND, HACCEL>& Shortcuts() {
  static std::map<HWND, HACCEL> tables;
  return tables;
}

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

bool ClassStartsWith(HWND hwnd, const wchar_t* prefix) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return std::wstring_view(name).starts_with(prefix);
}

// Controls that take Tab as input rather than as a focus move.
bool TakesTab(HWND focus) {
  if (!focus) return false;
  if (ClassStartsWith(focus, L"Scintilla")) return true;
  if (!ClassStartsWith(focus, L"RichE") && !ClassStartsWith(focus, L"RICH")) return false;
  return !(SendMessageW(focus, EM_GETOPTIONS, 0, 0) & ECO_READONLY);
}

// The shortcut table for a message, or none.
HACCEL ShortcutsFor(HWND active, const MSG& message) {
  auto it = Shortcuts().find(active);
  if (!active || it == Shortcuts().end()) return nullptr;
  bool modifier = KeyDown(VK_CONTROL) || KeyDown(VK_SHIFT) || KeyDown(VK_MENU);
  HWND focus = GetFocus();
  bool tab = (message.message == WM_KEYDOWN || message.message == WM_CHAR) &&
             message.wParam == VK_TAB;
  if (tab && !modifier && TakesTab(focus)) return nullptr;
  if (modifier) ShowFocusCues(active);
  if (focus && ClassStartsWith(focus, L"msctls_hotkey32")) return nullptr;
  return it->second;
}

BOOL CALLBACK CollectTabStop(HWND hwnd, LPARAM lParam) {
  auto* candidates = reinterpret_cast<std::vector<HWND>*>(lParam);
  if ((GetWindowLongW(hwnd, GWL_STYLE) & WS_TABSTOP) && IsWindowEnabled(hwnd) &&
      IsWindowVisible(hwnd)) {
    candidates->push_back(hwnd);
  }
  return TRUE;
}

}  // namespace

void CreateShortcuts(HWND window) {
  ACCEL entries[] = {
      {FVIRTKEY | FNOINVERT, VK_TAB, kFocusNextCommand},
      {FVIRTKEY | FNOINVERT | FSHIFT, VK_TAB, kFocusPreviousCommand},
  };
  if (HACCEL table = CreateAcceleratorTableW(entries, 2)) Shortcuts()[window] = table;
}

void DestroyShortcuts(HWND window) {
  auto it = Shortcuts().find(window);
  if (it == Shortcuts().end()) return;
  DestroyAcceleratorTable(it->second);
  Shortcuts().erase(it);
}

void ShowFocusCues(HWND window) {
  SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

// In the platform's enumeration order, wrapping at either end.
void MoveFocus(HWND window, bool forward) {
  std::vector<HWND> candidates;
  EnumChildWindows(window, CollectTabStop, reinterpret_cast<LPARAM>(&candidates));
  if (candidates.empty()) return;
  size_t count = candidates.size();
  size_t next = forward ? 0 : count - 1;
  HWND focus = GetFocus();
  for (size_t i = 0; i < count; ++i) {
    if (candidates[i] == focus) next = forward ? (i + 1) % count : (i + count - 1) % count;
  }
  SetFocus(candidates[next]);
}

}  // namespace win32

namespace platform {

int PumpMessage(int timeoutMs) {
  MSG message;
  if (timeoutMs < 0) {
    if (GetMessageW(&message, nullptr, 0, 0) == -1) return 0;
  } else if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (timeoutMs == 0) return 0;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(timeoutMs), QS_ALLINPUT);
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return 0;
  }
  HWND active = GetActiveWindow();
  HACCEL shortcuts = win32::ShortcutsFor(active, message);
  if (shortcuts && TranslateAcceleratorW(active, shortcuts, &message)) {
    win32::ShowFocusCues(active);
  } else {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.message);
}

}  // namespace platform
}  // namespace kv

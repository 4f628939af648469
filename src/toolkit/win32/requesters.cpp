// The platform's common file dialogs, message boxes and clipboard, and what
// the modal bracket needs to know about the thread's windows.
#include "win32.h"

#include <commctrl.h>
#include <commdlg.h>
#include <objbase.h>

#include <cstring>

namespace kv::platform {

namespace {

constexpr int kFileBufferSize = 260;

thread_local bool componentsStarted = false;

BOOL CALLBACK CollectThreadWindow(HWND hwnd, LPARAM lParam) {
  if (GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) return TRUE;
  auto* windows = reinterpret_cast<std::vector<TopWindowState>*>(lParam);
  bool topmost = GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST;
  windows->push_back(
      {win32::HandleOf(hwnd), IsWindowVisible(hwnd) != FALSE, IsWindowEnabled(hwnd) != FALSE,
       topmost});
  return TRUE;
}

}  // namespace

void InitRequesters() {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_HOTKEY_CLASS |
                                                   ICC_DATE_CLASSES | ICC_USEREX_CLASSES |
                                                   ICC_INTERNET_CLASSES};
  InitCommonControlsEx(&classes);
  // Each successful start of the component library is matched by one end.
  if (!componentsStarted) componentsStarted = SUCCEEDED(CoInitialize(nullptr));
}

void EndRequesters() {
  if (componentsStarted) CoUninitialize();
  componentsStarted = false;
}

std::vector<TopWindowState> ThreadTopWindows() {
  std::vector<TopWindowState> windows;
  EnumWindows(CollectThreadWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

Handle ForegroundWindow() {
  HWND foreground = GetForegroundWindow();
  DWORD process = 0;
  GetWindowThreadProcessId(foreground, &process);
  return foreground && process == GetCurrentProcessId() ? win32::HandleOf(foreground) : 0;
}

void SetTopmost(Handle window, bool topmost) {
  SetWindowPos(win32::Hwnd(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

Text RunFileRequester(const FileRequest& request) {
  std::wstring file = win32::Wide(request.fileName);
  file.resize(kFileBufferSize, L'\0');
  std::wstring filter = win32::Wide(request.filter);
  std::wstring directory = win32::Wide(request.directory);
  std::wstring title = win32::Wide(request.title);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  dialog.hwndOwner = win32::Hwnd(request.owner);
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(request.filterIndex);
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = kFileBufferSize;
  dialog.lpstrInitialDir = directory.empty() ? nullptr : directory.c_str();
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_EXPLORER;
  BOOL chosen = request.save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return {};
  return win32::FromWide(file.c_str(), wcsnlen(file.c_str(), kFileBufferSize));
}

int RunMessageBox(Handle owner, TextView title, TextView text, int flags) {
  return MessageBoxW(win32::Hwnd(owner), win32::Wide(text).c_str(), win32::Wide(title).c_str(),
                     static_cast<UINT>(flags));
}

int ClearClipboard() {
  if (!OpenClipboard(nullptr)) return 0;
  BOOL emptied = EmptyClipboard();
  CloseClipboard();
  return emptied ? 1 : 0;
}

// Once handed over, the block belongs to the clipboard.
int PutClipboard(TextView text) {
  if (!OpenClipboard(nullptr)) return 0;
  size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes);
  if (!block) {
    CloseClipboard();
    return 0;
  }
  EmptyClipboard();
  auto* copy = static_cast<char16_t*>(GlobalLock(block));
  std::memcpy(copy, text.data(), text.size() * sizeof(char16_t));
  copy[text.size()] = u'\0';
  GlobalUnlock(block);
  HANDLE handedOver = SetClipboardData(CF_UNICODETEXT, block);
  if (!handedOver) GlobalFree(block);
  CloseClipboard();
  return handedOver ? 1 : 0;
}

}  // namespace kv::platform

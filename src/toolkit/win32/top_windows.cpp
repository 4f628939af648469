// Top-level windows: one window class per window, creation, showing,
// placement and destruction.
#include "win32.h"

#include <algorithm>
#include <vector>

namespace kv {

namespace win32 {

namespace {

struct WindowResources {
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  std::vector<std::wstring> retiredClasses;  // of windows destroyed meanwhile
};

WindowResources& Resources() {
  static WindowResources resources;
  return resources;
}

std::wstring ClassName(int number) { return L"WindowClass_" + std::to_wstring(number); }

// A class can go only once its window is gone, after the final message.
void UnregisterRetiredClasses() {
  std::erase_if(Resources().retiredClasses, [](const std::wstring& name) {
    return UnregisterClassW(name.c_str(), Instance()) ||
           GetLastError() == ERROR_CLASS_DOES_NOT_EXIST;
  });
}

bool RegisterWindowClass(const std::wstring& name) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = Instance();
  windowClass.hIcon = Resources().icon;
  windowClass.hCursor = Resources().cursor;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = name.c_str();
  if (RegisterClassExW(&windowClass)) return true;
  // Left over from a window that went without this file seeing it.
  return GetLastError() == ERROR_CLASS_ALREADY_EXISTS &&
         UnregisterClassW(name.c_str(), Instance()) && RegisterClassExW(&windowClass);
}

}  // namespace

void RetireWindowClass(HWND window) {
  wchar_t name[64] = {};
  if (GetClassNameW(window, name, 64)) Resources().retiredClasses.emplace_back(name);
}

}  // namespace win32

namespace platform {

using win32::Hwnd;
using win32::HandleOf;

void InitWindows() {
  win32::WindowResources& resources = win32::Resources();
  if (!resources.icon) {
    resources.icon = static_cast<HICON>(
        LoadImageW(win32::Instance(), MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  }
  resources.cursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
}

void EndWindows() {
  win32::WindowResources& resources = win32::Resources();
  win32::UnregisterRetiredClasses();
  if (resources.icon) DestroyIcon(resources.icon);
  resources.icon = nullptr;
  win32::ReleaseGadgetFont();
}

Handle OpenWindow(const WindowParams& params) {
  win32::UnregisterRetiredClasses();
  std::wstring className = win32::ClassName(params.number);
  if (!win32::RegisterWindowClass(className)) return 0;
  // Hidden and in the normal state: showing applies the rest.
  auto style = static_cast<DWORD>(params.style) & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
  DWORD exStyle = params.tool ? WS_EX_TOOLWINDOW : 0;
  RECT outer{0, 0, params.rect.width, params.rect.height};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  int x = params.defaultPosition ? CW_USEDEFAULT : params.rect.x;
  int y = params.defaultPosition ? CW_USEDEFAULT : params.rect.y;
  HWND hwnd = CreateWindowExW(exStyle, className.c_str(), win32::Wide(params.title).c_str(), style,
                              x, y, outer.right - outer.left, outer.bottom - outer.top,
                              Hwnd(params.owner), nullptr, win32::Instance(), nullptr);
  if (!hwnd) {
    UnregisterClassW(className.c_str(), win32::Instance());
    return 0;
  }
  win32::SetTag(hwnd, win32::Tag::WindowId, static_cast<std::intptr_t>(params.number) + 1);
  win32::CreateShortcuts(hwnd);
  return HandleOf(hwnd);
}

void ShowTopWindow(Handle window, ShowMode mode, bool activate) {
  int command = SW_SHOWNORMAL;
  switch (mode) {
    case ShowMode::Maximized: command = SW_SHOWMAXIMIZED; break;  // always activates
    case ShowMode::Minimized: command = activate ? SW_SHOWMINIMIZED : SW_SHOWMINNOACTIVE; break;
    case ShowMode::Normal: command = activate ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE; break;
  }
  ShowWindow(Hwnd(window), command);
}

void HideTopWindow(Handle window) {
  if (HWND owner = GetWindow(Hwnd(window), GW_OWNER)) SetActiveWindow(owner);
  ShowWindow(Hwnd(window), SW_HIDE);
}

ShowMode TopWindowMode(Handle window) {
  if (IsZoomed(Hwnd(window))) return ShowMode::Maximized;
  if (IsIconic(Hwnd(window))) return ShowMode::Minimized;
  return ShowMode::Normal;
}

void DestroyHandle(Handle handle) {
  HWND hwnd = Hwnd(handle);
  if (!IsWindow(hwnd)) return;
  if (win32::GetTag(hwnd, win32::Tag::WindowId)) {
    if (HWND owner = GetWindow(hwnd, GW_OWNER)) SetActiveWindow(owner);
  }
  DestroyWindow(hwnd);
  win32::UnregisterRetiredClasses();
}

void PlaceTopWindow(Handle window, int x, int y, int innerWidth, int innerHeight) {
  HWND hwnd = Hwnd(window);
  if (IsZoomed(hwnd)) {
    bool visible = IsWindowVisible(hwnd);
    ShowWindow(hwnd, SW_RESTORE);
    if (!visible) ShowWindow(hwnd, SW_HIDE);
  }
  RECT current{};
  GetWindowRect(hwnd, &current);
  RECT client{};
  GetClientRect(hwnd, &client);
  bool keptHeight = innerHeight == KEEP_CURRENT;
  RECT outer{0, 0, innerWidth == KEEP_CURRENT ? client.right : innerWidth,
             keptHeight ? client.bottom : innerHeight};
  auto style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
  auto exStyle = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE));
  AdjustWindowRectEx(&outer, style, GetMenu(hwnd) != nullptr && keptHeight, exStyle);
  SetWindowPos(hwnd, nullptr, x == KEEP_CURRENT ? current.left : x,
               y == KEEP_CURRENT ? current.top : y, outer.right - outer.left,
               outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

PixelSize InnerSize(Handle window) {
  RECT client{};
  GetClientRect(Hwnd(window), &client);
  return {client.right, client.bottom};
}

PixelRect OuterRect(Handle window) {
  RECT rect{};
  GetWindowRect(Hwnd(window), &rect);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void MoveOuter(Handle window, int x, int y) {
  SetWindowPos(Hwnd(window), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int StartTimer(Handle window, int timerId, int intervalMs) {
  return SetTimer(Hwnd(window), static_cast<UINT_PTR>(timerId), static_cast<UINT>(intervalMs),
                  nullptr) != 0;
}

Text ReadText(Handle handle) { return win32::WindowText(Hwnd(handle)); }

void WriteText(Handle handle, TextView text) {
  SetWindowTextW(Hwnd(handle), win32::Wide(text).c_str());
}

int WindowNumberOf(Handle handle) { return win32::WindowNumberOfHwnd(Hwnd(handle)); }

}  // namespace platform
}  // namespace kv

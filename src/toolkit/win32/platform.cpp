// Set-up of the Win32 backend: the screen, the relay window for events from
// other threads, and the pieces every other file needs.
#include "win32.h"

#include <dwmapi.h>

#include <atomic>

#include "post_event.h"
#include "toolkit/events.h"

namespace kv {

namespace {

constexpr wchar_t kRelayClass[] = L"PostEventClass";
constexpr wchar_t kRelayMessageName[] = L"KV_PostEventMessage";

struct PostedEvent {
  int code;
  int object;
  int window;
  int type;
};

// The GUI thread's relay and its registered message.
std::atomic<HWND> relay{nullptr};
UINT relayMessage = 0;

LRESULT CALLBACK RelayProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == relayMessage && relayMessage != 0) {
    auto* posted = reinterpret_cast<PostedEvent*>(lParam);
    QueueEvent(posted->code, posted->object, posted->window, posted->type, nullptr, nullptr,
               KV_Event_Force);
    delete posted;
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

void PostEvent(int code, int object, int window, int type) {
  HWND target = relay.load();
  if (!target) return;
  auto* posted = new PostedEvent{code, object, window, type};
  if (!PostMessageW(target, relayMessage, 0, reinterpret_cast<LPARAM>(posted))) delete posted;
}

namespace win32 {

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

Text WindowText(HWND hwnd) {
  int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
  int copied = GetWindowTextW(hwnd, buffer.data(), length + 1);
  return FromWide(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

}  // namespace win32

namespace platform {

using win32::Instance;

PixelSize ScreenDpi() {
  HDC screen = GetDC(nullptr);
  if (!screen) return {96, 96};
  PixelSize dpi{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
  ReleaseDC(nullptr, screen);
  return dpi;
}

void InitEvents() {
  if (relay.load()) return;
  relayMessage = RegisterWindowMessageW(kRelayMessageName);
  WNDCLASSW relayClass{};
  relayClass.lpfnWndProc = RelayProcedure;
  relayClass.hInstance = Instance();
  relayClass.lpszClassName = kRelayClass;
  RegisterClassW(&relayClass);
  relay = CreateWindowExW(0, kRelayClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Instance(),
                          nullptr);
}

void EndEvents() {
  HWND old = relay.exchange(nullptr);
  if (!old) return;
  // Events still on their way would otherwise leak with the window.
  MSG message;
  while (PeekMessageW(&message, old, relayMessage, relayMessage, PM_REMOVE)) {
    delete reinterpret_cast<PostedEvent*>(message.lParam);
  }
  DestroyWindow(old);
  UnregisterClassW(kRelayClass, Instance());
}

void WakeMessageWait() {
  if (HWND target = relay.load()) PostMessageW(target, WM_NULL, 0, 0);
}

PixelSize ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

bool DesktopComposition() {
  BOOL enabled = FALSE;
  return SUCCEEDED(DwmIsCompositionEnabled(&enabled)) && enabled;
}

PixelSize EdgeSize() { return {GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE)}; }

}  // namespace platform
}  // namespace kv

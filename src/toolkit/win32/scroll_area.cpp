// Scroll areas on the platform: an outer window with the scroll bars and an
// inner window that holds the gadgets and moves under it.
#include "win32.h"

#include <algorithm>

namespace kv {

namespace win32 {

namespace {

ScrollMove MoveOf(WORD code) {
  switch (code) {
    case SB_LINEUP: return ScrollMove::LineBack;
    case SB_LINEDOWN: return ScrollMove::LineForward;
    case SB_PAGEUP: return ScrollMove::PageBack;
    case SB_PAGEDOWN: return ScrollMove::PageForward;
    default: return ScrollMove::To;
  }
}

// Where the user put the thumb, or an end.
int TargetOf(HWND hwnd, int bar, WORD code) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(hwnd, bar, &info);
  if (code == SB_TOP) return 0;
  if (code == SB_BOTTOM) return info.nMax;
  if (code == SB_THUMBTRACK) return info.nTrackPos;
  return info.nPos;
}

void Scroll(HWND hwnd, bool vertical, WORD code) {
  GadgetObject* gadget = GadgetOfHwnd(hwnd);
  if (!gadget || code == SB_ENDSCROLL) return;
  int target = TargetOf(hwnd, vertical ? SB_VERT : SB_HORZ, code);
  OnScrollAreaScrolled(*gadget, vertical, MoveOf(code), target);
}

void ShowBar(HWND hwnd, int bar, bool shown, int inner, int page, int position) {
  ShowScrollBar(hwnd, bar, shown);
  if (!shown) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMax = std::max(0, inner - 1);
  info.nPage = static_cast<UINT>(page);
  info.nPos = position;
  SetScrollInfo(hwnd, bar, &info, TRUE);
}

}  // namespace

// The outer window's own scroll bars send lParam 0; a wheel turn moves three
// lines.
LRESULT CALLBACK ScrollAreaProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  bool ownBar = lParam == 0 && (message == WM_VSCROLL || message == WM_HSCROLL);
  if (ownBar) {
    Scroll(hwnd, message == WM_VSCROLL, LOWORD(wParam));
    return 0;
  }
  if (message == WM_MOUSEWHEEL) {
    WORD code = GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? SB_LINEUP : SB_LINEDOWN;
    for (int i = 0; i < 3; ++i) Scroll(hwnd, true, code);
    return 0;
  }
  return ForwardToWindow(hwnd, message, wParam, lParam);
}

namespace {

// A scroll area's border as its flags choose; a sunken edge by default.
ControlStyle ScrollAreaStyle(int flags) {
  DWORD style = kChild | WS_CLIPCHILDREN;
  if (flags & KV_ScrollArea_BorderLess) return {kScrollAreaClass, style, 0};
  if (flags & KV_ScrollArea_Flat) return {kScrollAreaClass, style | WS_BORDER, 0};
  if (flags & KV_ScrollArea_Single) return {kScrollAreaClass, style, WS_EX_STATICEDGE};
  if (flags & KV_ScrollArea_Raised) {
    return {kScrollAreaClass, style, WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME};
  }
  return {kScrollAreaClass, style, WS_EX_CLIENTEDGE};
}

// The inner area, which holds the gadgets.
bool MakeInner(HWND area) {
  return CreateWindowExW(0, kScrollAreaChildClass, L"", kChild | WS_CLIPCHILDREN, 0, 0, 0, 0,
                         area, nullptr, Instance(), nullptr) != nullptr;
}

}  // namespace

}  // namespace win32

namespace platform {

const KindRecord& ScrollAreaRecord() {
  static const KindRecord record{.style = win32::ScrollAreaStyle, .makeParts = win32::MakeInner};
  return record;
}

Handle ScrollAreaInner(Handle area) {
  return win32::HandleOf(GetWindow(win32::Hwnd(area), GW_CHILD));
}

// The client area grows back by the bars that show now.
PixelSize ScrollAreaRoom(Handle area) {
  HWND hwnd = win32::Hwnd(area);
  RECT client{};
  GetClientRect(hwnd, &client);
  auto style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
  PixelSize bars = ScrollBarSize();
  return {client.right + (style & WS_VSCROLL ? bars.width : 0),
          client.bottom + (style & WS_HSCROLL ? bars.height : 0)};
}

PixelSize ScrollBarSize() {
  return {GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}

void ShowScrollView(Handle area, const ScrollView& view) {
  HWND hwnd = win32::Hwnd(area);
  win32::ShowBar(hwnd, SB_HORZ, view.horizontalBar, view.inner.width, view.shown.width, view.x);
  win32::ShowBar(hwnd, SB_VERT, view.verticalBar, view.inner.height, view.shown.height, view.y);
  SetWindowPos(GetWindow(hwnd, GW_CHILD), nullptr, -view.x, -view.y, view.inner.width,
               view.inner.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace platform
}  // namespace kv

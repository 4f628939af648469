// Splitters on the platform: a window of our own that draws the bar between
// its two sides and lets the user drag it; where the bar may go is the
// core's.
#include "win32.h"

#include <windowsx.h>

namespace kv::win32 {

namespace {

// The drag under way: the splitter and where on the bar it was taken.
struct Drag {
  HWND splitter = nullptr;
  int grip = 0;
};

Drag& TheDrag() {
  thread_local Drag drag;
  return drag;
}

int Along(const SplitterBar& bar, LPARAM lParam) {
  return bar.vertical ? GET_X_LPARAM(lParam) : GET_Y_LPARAM(lParam);
}

bool OnBar(const SplitterBar& bar, LPARAM lParam) {
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  RECT rect{bar.rect.x, bar.rect.y, bar.rect.x + bar.rect.width, bar.rect.y + bar.rect.height};
  return PtInRect(&rect, point);
}

void Paint(HWND hwnd, const GadgetObject* gadget) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  bool raised = GetWindowLongW(hwnd, GWL_STYLE) & KV_Splitter_Separator;
  if (gadget && raised) {
    PixelRect bar = SplitterBarOf(*gadget).rect;
    RECT rect{bar.x, bar.y, bar.x + bar.width, bar.y + bar.height};
    DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT);
  }
  EndPaint(hwnd, &paint);
}

}  // namespace

LRESULT CALLBACK SplitterProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  GadgetObject* gadget = GadgetOfHwnd(hwnd);
  if (!gadget) return ForwardToWindow(hwnd, message, wParam, lParam);
  Drag& drag = TheDrag();
  SplitterBar bar = SplitterBarOf(*gadget);
  switch (message) {
    case WM_PAINT:
      Paint(hwnd, gadget);
      return 0;
    case WM_SETCURSOR: {
      POINT point{};
      GetCursorPos(&point);
      ScreenToClient(hwnd, &point);
      if (!OnBar(bar, MAKELPARAM(point.x, point.y))) break;
      SetCursor(LoadCursorW(nullptr, bar.vertical ? IDC_SIZEWE : IDC_SIZENS));
      return TRUE;
    }
    case WM_LBUTTONDOWN:
      if (!OnBar(bar, lParam)) break;
      drag = {hwnd, Along(bar, lParam) - (bar.vertical ? bar.rect.x : bar.rect.y)};
      SetCapture(hwnd);
      return 0;
    case WM_MOUSEMOVE:
      if (drag.splitter != hwnd) break;
      OnSplitterDragged(*gadget, Along(bar, lParam) - drag.grip);
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (drag.splitter != hwnd) break;
      drag = {};
      if (GetCapture() == hwnd) ReleaseCapture();
      return 0;
    default:
      break;
  }
  return ForwardToWindow(hwnd, message, wParam, lParam);
}

}  // namespace kv::win32

namespace kv::platform {

const KindRecord& SplitterRecord() {
  static const KindRecord record{
      .style =
          [](int) {
            return win32::ControlStyle{win32::kSplitterClass, win32::kChild | WS_CLIPCHILDREN, 0};
          },
  };
  return record;
}

}  // namespace kv::platform

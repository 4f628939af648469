// The platform's side of the gadgets that hold gadgets: window classes of
// our own for containers and canvases, and the group box of frames. What
// they do is the core's; here they draw and pass their children's messages
// on.
#include "win32.h"

namespace kv::win32 {

namespace {

// A container's border, one pixel wide as the layout reserves it.
void DrawBorder(HWND hwnd, HDC dc) {
  auto style = static_cast<int>(GetWindowLongW(hwnd, GWL_STYLE));
  RECT rect{};
  GetClientRect(hwnd, &rect);
  if (style & KV_Container_Flat) {
    FrameRect(dc, &rect, GetSysColorBrush(COLOR_WINDOWFRAME));
  } else if (style & KV_Container_Raised) {
    DrawEdge(dc, &rect, BDR_RAISEDOUTER, BF_RECT);
  } else if (style & (KV_Container_Single | KV_Container_Double)) {
    DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
  }
}

LRESULT CALLBACK ContainerProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return ForwardToWindow(hwnd, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  DrawBorder(hwnd, dc);
  EndPaint(hwnd, &paint);
  return 0;
}

int ClickType(UINT message) {
  switch (message) {
    case WM_LBUTTONUP: return ET_LEFT_CLICK;
    case WM_RBUTTONUP: return ET_RIGHT_CLICK;
    case WM_LBUTTONDBLCLK: return ET_LEFT_DOUBLE_CLICK;
    case WM_RBUTTONDBLCLK: return ET_RIGHT_DOUBLE_CLICK;
    default: return -1;
  }
}

// Clicks on a canvas are its own events; a keyboard canvas takes the focus.
LRESULT CALLBACK CanvasProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  GadgetObject* gadget = GadgetOfHwnd(hwnd);
  int type = ClickType(message);
  if (gadget && type != -1) {
    QueueGadgetEvent(*gadget, type);
    return 0;
  }
  if (message == WM_LBUTTONDOWN && (GetWindowLongW(hwnd, GWL_STYLE) & KV_Canvas_Keyboard)) {
    SetFocus(hwnd);
  }
  return ForwardToWindow(hwnd, message, wParam, lParam);
}

void Register(const wchar_t* name, WNDPROC procedure, UINT style = 0) {
  WNDCLASSW windowClass{};
  windowClass.style = style;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = Instance();
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = name;
  RegisterClassW(&windowClass);
}

}  // namespace

LRESULT CALLBACK ForwardToWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (TranslateWindowMessage(hwnd, message, wParam, lParam, &result)) return result;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterContainerClasses() {
  Register(kContainerClass, ContainerProcedure);
  Register(kCanvasClass, CanvasProcedure, CS_DBLCLKS);
  Register(kScrollAreaClass, ScrollAreaProcedure);
  Register(kScrollAreaChildClass, ForwardToWindow);
  Register(kSplitterClass, SplitterProcedure);
}

}  // namespace kv::win32

namespace kv::platform {

const KindRecord& FrameRecord() {
  static const KindRecord record{
      .style = [](int) { return win32::ControlStyle{L"Button", win32::kChild | BS_GROUPBOX, 0}; },
      .hasText = true,
  };
  return record;
}

const KindRecord& ContainerRecord() {
  static const KindRecord record{
      .style =
          [](int) {
            return win32::ControlStyle{win32::kContainerClass, win32::kChild | WS_CLIPCHILDREN, 0};
          },
  };
  return record;
}

// A keyboard canvas reports its focus as fields do.
const KindRecord& CanvasRecord() {
  static const KindRecord record{
      .style =
          [](int flags) {
            return win32::ControlStyle{win32::kCanvasClass,
                                       win32::kChild | WS_CLIPCHILDREN |
                                           (flags & KV_Canvas_Border ? WS_BORDER : 0u) |
                                           (flags & KV_Canvas_Keyboard ? WS_TABSTOP : 0u),
                                       0};
          },
      .procedure = win32::FocusProcedure,
  };
  return record;
}

}  // namespace kv::platform

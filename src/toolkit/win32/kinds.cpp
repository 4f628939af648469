// Buttons, entry fields and text labels.
#include "win32.h"

namespace kv::win32 {

namespace {

PixelSize Edge() { return platform::EdgeSize(); }

// ---- Buttons --------------------------------------------------------------------

int ReadCheck(GadgetObject& g) {
  return static_cast<int>(SendMessageW(HwndOf(g), BM_GETCHECK, 0, 0) & BST_CHECKED);
}

void WriteCheck(GadgetObject& g, int state) {
  SendMessageW(HwndOf(g), BM_SETCHECK, state ? BST_CHECKED : BST_UNCHECKED, 0);
}

PixelSize ButtonSize(GadgetObject& g) {
  return ButtonRequiredSize(MeasureText(HwndOf(g), WindowText(HwndOf(g))), Edge());
}

// ---- Entry fields ---------------------------------------------------------------

int ReadLimit(GadgetObject& g, int attribute) {
  if (attribute != KV_String_MaximumLength) return 0;
  return static_cast<int>(SendMessageW(HwndOf(g), EM_GETLIMITTEXT, 0, 0));
}

void WriteLimit(GadgetObject& g, int attribute, int value) {
  if (attribute != KV_String_MaximumLength) return;
  SendMessageW(HwndOf(g), EM_LIMITTEXT, static_cast<WPARAM>(value <= 0 ? 1 : value), 0);
}

PixelSize StringSize(GadgetObject& g) {
  return StringRequiredSize(MeasureText(HwndOf(g), u"Hg").height, Edge());
}

// Read-only fields send the static control's colour message, and so do
// disabled ones, which keep the platform's colours.
bool StringHook(GadgetObject& g, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  auto dc = reinterpret_cast<HDC>(wParam);
  if (message == WM_CTLCOLOREDIT) return PaintColors(g, dc, COLOR_WINDOW, result);
  if (message == WM_CTLCOLORSTATIC && IsWindowEnabled(HwndOf(g))) {
    return PaintColors(g, dc, COLOR_BTNFACE, result);
  }
  return false;
}

// ---- Text labels ----------------------------------------------------------------

PixelSize TextSize(GadgetObject& g) {
  HWND hwnd = HwndOf(g);
  std::wstring text = Wide(WindowText(hwnd));
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
  RECT drawn{};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &drawn, DT_CALCRECT | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  bool border = GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE;
  return TextRequiredSize({drawn.right - drawn.left, drawn.bottom - drawn.top}, border, Edge());
}

bool TextHook(GadgetObject& g, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  return message == WM_CTLCOLORSTATIC &&
         PaintColors(g, reinterpret_cast<HDC>(wParam), COLOR_BTNFACE, result);
}

}  // namespace

// The focus messages of fields and editors, reported before the control
// tells its parent.
bool FocusProcedure(GadgetObject& g, UINT message, WPARAM, LPARAM, LRESULT*) {
  if (message == WM_SETFOCUS) QueueGadgetEvent(g, ET_FOCUS);
  if (message == WM_KILLFOCUS) QueueGadgetEvent(g, ET_LOST_FOCUS);
  return false;
}

}  // namespace kv::win32

namespace kv::platform {

const KindRecord& ButtonRecord() {
  static const KindRecord record{
      .style = [](int) { return win32::ControlStyle{L"Button", 0x50030000, 0}; },
      .hasText = true,
      .slots = {
          .code = GK_BUTTON,
          .readState = win32::ReadCheck,
          .writeState = win32::WriteCheck,
          .requiredSize = win32::ButtonSize,
      },
  };
  return record;
}

const KindRecord& StringRecord() {
  static const KindRecord record{
      .style =
          [](int flags) {
            return win32::ControlStyle{L"Edit", 0x50030080,
                                       flags & KV_String_BorderLess ? 0u : WS_EX_CLIENTEDGE};
          },
      .hasText = true,
      .hook = win32::StringHook,
      .procedure = win32::FocusProcedure,
      .slots = {
          .code = GK_STRING,
          .release = win32::ReleaseColors,
          .readAttribute = win32::ReadLimit,
          .writeAttribute = win32::WriteLimit,
          .showColor = win32::ShowColor,
          .requiredSize = win32::StringSize,
      },
  };
  return record;
}

// Also what a gadget of an unknown kind gets.
const KindRecord& TextRecord() {
  static const KindRecord record{
      .style =
          [](int flags) {
            return win32::ControlStyle{L"Static", 0x50020080,
                                       flags & KV_Text_Border ? WS_EX_CLIENTEDGE : 0u};
          },
      .hasText = true,
      .hook = win32::TextHook,
      .slots = {
          .code = GK_TEXT,
          .release = win32::ReleaseColors,
          .showColor = win32::ShowColor,
          .requiredSize = win32::TextSize,
      },
  };
  return record;
}

}  // namespace kv::platform

// Check boxes, options and value gadgets on the platform's buttons, bars and
// arrows: they show what the core holds and report the user's clicks and
// moves to it.
#include "win32.h"

#include <commctrl.h>

#include <cstdlib>

namespace kv {

namespace win32 {

namespace {

bool ChoiceHook(GadgetObject& g, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return false;
  *result = 0;
  OnChoiceClicked(g);
  return true;
}

ScrollMove MoveOf(WPARAM code) {
  switch (LOWORD(code)) {
    case SB_LINEUP: return ScrollMove::LineBack;
    case SB_LINEDOWN: return ScrollMove::LineForward;
    case SB_PAGEUP: return ScrollMove::PageBack;
    case SB_PAGEDOWN: return ScrollMove::PageForward;
    default: return ScrollMove::To;
  }
}

// A scroll bar leaves its moves to its owner; a track bar has moved
// already and tells where to.
bool ValueHook(GadgetObject& g, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  if (message != WM_HSCROLL && message != WM_VSCROLL) return false;
  *result = 0;
  HWND hwnd = HwndOf(g);
  if (g.kind->code == GK_TRACKBAR) {
    OnValueMoved(g, static_cast<int>(SendMessageW(hwnd, TBM_GETPOS, 0, 0)));
    return true;
  }
  if (g.kind->code != GK_SCROLLBAR || LOWORD(wParam) == SB_ENDSCROLL) return true;
  ScrollMove move = MoveOf(wParam);
  if (move != ScrollMove::To) {
    OnValueStepped(g, move);
    return true;
  }
  SCROLLINFO info{sizeof info, SIF_TRACKPOS};
  GetScrollInfo(hwnd, SB_CTL, &info);
  if (LOWORD(wParam) == SB_THUMBTRACK || LOWORD(wParam) == SB_THUMBPOSITION) {
    OnValueMoved(g, info.nTrackPos);
  }
  return true;
}

// The arrows write the new value into the field.
bool SpinHook(GadgetObject& g, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  if (message != WM_COMMAND || HIWORD(wParam) != EN_CHANGE) return false;
  *result = 0;
  std::wstring text = Wide(WindowText(HwndOf(g)));
  wchar_t* end = nullptr;
  long value = std::wcstol(text.c_str(), &end, 10);
  // Showing a value writes the field again: only a new value is a move.
  if (end == text.c_str() || *end != L'\0' || value == g.kind->readState(g)) return true;
  OnValueMoved(g, static_cast<int>(value));
  return true;
}

// The arrows are a sibling of the field, bound to it as its buddy.
void AttachSpin(GadgetObject& g) {
  HWND field = HwndOf(g);
  HWND arrows = CreateWindowExW(0, UPDOWN_CLASSW, L"",
                                WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_ARROWKEYS |
                                    UDS_SETBUDDYINT | UDS_NOTHOUSANDS,
                                0, 0, 0, 0, GetParent(field), nullptr, Instance(), nullptr);
  if (!arrows) return;
  SendMessageW(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(field), 0);
  DataOf(g).partner = arrows;
}

}  // namespace

}  // namespace win32

namespace platform {

// The buttons are not the platform's automatic kinds: only the core checks
// and unchecks.
const KindRecord& CheckBoxRecord() {
  static const KindRecord record{
      .style =
          [](int flags) {
            return win32::ControlStyle{
                L"Button",
                win32::kTabbed |
                    (win32::HasFlag(flags, KV_CheckBox_ThreeState) ? BS_3STATE : BS_CHECKBOX) |
                    (flags & KV_CheckBox_Center),
                0, false};
          },
      .hasText = true,
      .hook = win32::ChoiceHook,
  };
  return record;
}

const KindRecord& OptionRecord() {
  static const KindRecord record{
      .style =
          [](int) {
            return win32::ControlStyle{L"Button", win32::kTabbed | BS_RADIOBUTTON, 0, false};
          },
      .hasText = true,
      .hook = win32::ChoiceHook,
  };
  return record;
}

const KindRecord& ProgressBarRecord() {
  static const KindRecord record{
      .style = [](int) { return win32::ControlStyle{PROGRESS_CLASSW, win32::kChild, 0}; },
      .hook = win32::ValueHook,
  };
  return record;
}

const KindRecord& TrackBarRecord() {
  static const KindRecord record{
      .style = [](int) { return win32::ControlStyle{TRACKBAR_CLASSW, win32::kTabbed, 0}; },
      .hook = win32::ValueHook,
  };
  return record;
}

const KindRecord& ScrollBarRecord() {
  static const KindRecord record{
      .style = [](int) { return win32::ControlStyle{L"ScrollBar", win32::kChild, 0}; },
      .hook = win32::ValueHook,
  };
  return record;
}

// An entry field with arrows beside it.
const KindRecord& SpinRecord() {
  static const KindRecord record{
      .style =
          [](int flags) {
            return win32::ControlStyle{
                L"Edit",
                win32::kTabbed | ES_AUTOHSCROLL |
                    (win32::HasFlag(flags, KV_Spin_Numeric) ? ES_NUMBER : 0u) |
                    (win32::HasFlag(flags, KV_Spin_ReadOnly) ? ES_READONLY : 0u),
                WS_EX_CLIENTEDGE, false};
          },
      .attach = win32::AttachSpin,
      .hook = win32::SpinHook,
      .procedure = win32::FocusProcedure,
  };
  return record;
}

void ShowCheck(Handle control, int state) {
  WPARAM check = state == KV_CheckBox_Inbetween ? BST_INDETERMINATE
                 : state                        ? BST_CHECKED
                                                : BST_UNCHECKED;
  SendMessageW(win32::Hwnd(control), BM_SETCHECK, check, 0);
}

void ShowValue(Handle control, int kind, const ValueRange& range) {
  HWND hwnd = win32::Hwnd(control);
  switch (kind) {
    case GK_PROGRESSBAR:
      SendMessageW(hwnd, PBM_SETRANGE32, static_cast<WPARAM>(range.minimum), range.maximum);
      SendMessageW(hwnd, PBM_SETPOS, static_cast<WPARAM>(range.value), 0);
      break;
    case GK_TRACKBAR:
      SendMessageW(hwnd, TBM_SETRANGEMIN, FALSE, range.minimum);
      SendMessageW(hwnd, TBM_SETRANGEMAX, FALSE, range.maximum);
      SendMessageW(hwnd, TBM_SETPOS, TRUE, range.value);
      break;
    case GK_SCROLLBAR: {
      SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS};
      info.nMin = range.minimum;
      info.nMax = range.maximum;
      info.nPage = static_cast<UINT>(range.page);
      info.nPos = range.value;
      SetScrollInfo(hwnd, SB_CTL, &info, TRUE);
      break;
    }
    case GK_SPIN:
      if (GadgetObject* g = win32::GadgetOfHwnd(hwnd); g && win32::DataOf(*g).partner) {
        HWND arrows = win32::DataOf(*g).partner;
        SendMessageW(arrows, UDM_SETRANGE32, static_cast<WPARAM>(range.minimum), range.maximum);
        SendMessageW(arrows, UDM_SETPOS32, 0, range.value);
      }
      break;
    default: break;
  }
}

}  // namespace platform
}  // namespace kv

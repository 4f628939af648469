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

const KindBehaviour kChoiceBehaviour{.hook = ChoiceHook};
const KindBehaviour kValueBehaviour{.hook = ValueHook};
const KindBehaviour kSpinBehaviour{.attach = AttachSpin, .hook = SpinHook,
                                   .procedure = FocusProcedure};

}  // namespace win32

namespace platform {

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

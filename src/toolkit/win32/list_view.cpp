// List views on the platform's list box: rows of text with item data, and
// the press, drag and release tracking that turns the mouse into events. The
// core writes the rules of rows over these slots (list_view.cpp there).
#include "win32.h"

#include <windowsx.h>

#include <cstdlib>

namespace kv::win32 {

namespace {

constexpr wchar_t kMouseDownProp[] = L"KV_MouseDown";
// Marks a stored press position, so that a press at (0, 0) is not "none".
constexpr std::intptr_t kPressed = 0x40000000;

LRESULT Send(GadgetObject& g, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(HwndOf(g), message, wParam, lParam);
}

LONG Style(GadgetObject& g) { return GetWindowLongW(HwndOf(g), GWL_STYLE); }
bool SelectsMany(GadgetObject& g) { return Style(g) & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL); }

int Count(GadgetObject& g) { return static_cast<int>(Send(g, LB_GETCOUNT)); }
bool Exists(GadgetObject& g, int item) { return item >= 0 && item < Count(g); }

int ReadState(GadgetObject& g) {
  if (!SelectsMany(g)) return static_cast<int>(Send(g, LB_GETCURSEL));
  int first = -1;
  return Send(g, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&first)) == 1 ? first : -1;
}

void WriteState(GadgetObject& g, int item) {
  if (!SelectsMany(g)) {
    Send(g, LB_SETCURSEL, static_cast<WPARAM>(item));
    return;
  }
  Send(g, LB_SETSEL, FALSE, -1);
  if (item != -1) Send(g, LB_SETSEL, TRUE, item);
}

Text ReadItemText(GadgetObject& g, int item, int) {
  if (!Exists(g, item)) return {};
  LRESULT length = Send(g, LB_GETTEXTLEN, static_cast<WPARAM>(item));
  if (length <= 0) return {};
  std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
  LRESULT copied = Send(g, LB_GETTEXT, static_cast<WPARAM>(item),
                        reinterpret_cast<LPARAM>(buffer.data()));
  return FromWide(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

// The current item: the selected one, or the one with the focus when several
// may be selected.
Text ReadText(GadgetObject& g) {
  int item = SelectsMany(g) ? static_cast<int>(Send(g, LB_GETCARETINDEX))
                            : static_cast<int>(Send(g, LB_GETCURSEL));
  if (SelectsMany(g) && !Send(g, LB_GETSEL, static_cast<WPARAM>(item))) return {};
  return ReadItemText(g, item, 0);
}

// At a position the core has checked.
int InsertItem(GadgetObject& g, int position, TextView text) {
  std::wstring wide = Wide(text);
  Send(g, LB_INSERTSTRING, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(wide.c_str()));
  return 0;
}

void DeleteItem(GadgetObject& g, int item) {
  if (Exists(g, item)) Send(g, LB_DELETESTRING, static_cast<WPARAM>(item));
}

void ClearItems(GadgetObject& g) { Send(g, LB_RESETCONTENT); }

int ItemCount(GadgetObject& g) { return Count(g); }

int ReadItemState(GadgetObject& g, int item) {
  return Exists(g, item) && Send(g, LB_GETSEL, static_cast<WPARAM>(item)) > 0 ? 1 : 0;
}

void WriteItemState(GadgetObject& g, int item, int state) {
  if (!Exists(g, item)) return;
  if (SelectsMany(g)) {
    Send(g, LB_SETSEL, state != 0, item);
  } else {
    Send(g, LB_SETCURSEL, static_cast<WPARAM>(state ? item : -1));
  }
}

std::intptr_t ReadItemData(GadgetObject& g, int item) {
  return Exists(g, item) ? Send(g, LB_GETITEMDATA, static_cast<WPARAM>(item)) : 0;
}

void WriteItemData(GadgetObject& g, int item, std::intptr_t data) {
  if (Exists(g, item)) Send(g, LB_SETITEMDATA, static_cast<WPARAM>(item), data);
}

int RowHeight(GadgetObject& g) { return static_cast<int>(Send(g, LB_GETITEMHEIGHT)); }

bool Hook(GadgetObject& g, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  if (message == WM_CTLCOLORLISTBOX) {
    return PaintColors(g, reinterpret_cast<HDC>(wParam), COLOR_WINDOW, result);
  }
  if (message != WM_COMMAND) return false;
  switch (HIWORD(wParam)) {
    case LBN_SELCHANGE: QueueGadgetEvent(g, ET_LEFT_CLICK); break;
    case LBN_DBLCLK: QueueGadgetEvent(g, ET_LEFT_DOUBLE_CLICK); break;
    default: break;  // the rest is of no interest
  }
  *result = 0;
  return true;
}

// ---- Press, drag and release ------------------------------------------------------

bool OnItem(GadgetObject& g, LPARAM position, int* item) {
  LRESULT hit = Send(g, LB_ITEMFROMPOINT, 0, position);
  *item = LOWORD(hit);
  return HIWORD(hit) == 0 && Exists(g, *item);
}

void EndPress(HWND hwnd) {
  RemovePropW(hwnd, kMouseDownProp);
  if (GetCapture() == hwnd) ReleaseCapture();
}

// A press on an item may become a drag; an extended-selection list keeps
// its selection when the press is on a selected item.
bool Press(GadgetObject& g, WPARAM keys, LPARAM position) {
  int item = 0;
  if ((keys & (MK_SHIFT | MK_CONTROL)) || !OnItem(g, position, &item)) return false;
  bool extended = Style(g) & LBS_EXTENDEDSEL;
  if (extended && !ReadItemState(g, item)) return false;
  HWND hwnd = HwndOf(g);
  auto mark = static_cast<std::intptr_t>(static_cast<DWORD>(position) & 0x3FFF3FFF) | kPressed;
  SetPropW(hwnd, kMouseDownProp, reinterpret_cast<HANDLE>(mark));
  SetCapture(hwnd);
  return extended;
}

bool Procedure(GadgetObject& g, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  HWND hwnd = HwndOf(g);
  auto mark = reinterpret_cast<std::intptr_t>(GetPropW(hwnd, kMouseDownProp));
  *result = 0;
  switch (message) {
    case WM_LBUTTONDOWN:
      return Press(g, wParam, lParam);
    case WM_MOUSEMOVE: {
      if (!mark) return false;
      int dx = GET_X_LPARAM(lParam) - static_cast<int>(mark & 0x3FFF);
      int dy = GET_Y_LPARAM(lParam) - static_cast<int>((mark >> 16) & 0x3FFF);
      static const int dragWidth = GetSystemMetrics(SM_CXDRAG);
      static const int dragHeight = GetSystemMetrics(SM_CYDRAG);
      if (std::abs(dx) > dragWidth || std::abs(dy) > dragHeight) {
        EndPress(hwnd);
        QueueGadgetEvent(g, ET_DRAG_START);
      }
      return false;
    }
    case WM_LBUTTONUP:
      if (mark) {
        EndPress(hwnd);
        QueueGadgetEvent(g, ET_LEFT_CLICK);
      }
      return false;
    case WM_RBUTTONUP:
      QueueGadgetEvent(g, ET_RIGHT_CLICK);
      return false;
    default:
      return false;
  }
}

}  // namespace

}  // namespace kv::win32

namespace kv::platform {

void FocusListRow(Handle list, int row) {
  SendMessageW(win32::Hwnd(list), LB_SETCARETINDEX, static_cast<WPARAM>(row), 0);
}

const KindRecord& ListViewRecord() {
  static const KindRecord record{
      .style = [](int) { return win32::ControlStyle{L"ListBox", 0x50330141, WS_EX_CLIENTEDGE}; },
      .hook = win32::Hook,
      .procedure = win32::Procedure,
      .slots = {
          .code = GK_LISTVIEW,
          .release = win32::ReleaseColors,
          .readState = win32::ReadState,
          .writeState = win32::WriteState,
          .readText = win32::ReadText,
          .insertItem = win32::InsertItem,
          .deleteItem = win32::DeleteItem,
          .clearItems = win32::ClearItems,
          .itemCount = win32::ItemCount,
          .readItemState = win32::ReadItemState,
          .writeItemState = win32::WriteItemState,
          .readItemText = win32::ReadItemText,
          .showColor = win32::ShowColor,
          .writeItemData = win32::WriteItemData,
          .readItemData = win32::ReadItemData,
          .rowHeight = win32::RowHeight,
      },
  };
  return record;
}

}  // namespace kv::platform

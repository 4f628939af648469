// List views on the platform's list box, holding no data of its own: it keeps
// a count of rows and their selection, and draws each row's text, which the
// core keeps (list_view.cpp there), so thousands of rows go in with one
// message. Also the press, drag and release tracking that turns the mouse
// into events.
#include "win32.h"

#include <windowsx.h>

#include <cstdlib>

namespace kv::win32 {

namespace {

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

// At a position the core has checked.
int InsertItem(GadgetObject& g, int position, TextView) {
  Send(g, LB_INSERTSTRING, static_cast<WPARAM>(position), 0);
  return 0;
}

void AppendItems(GadgetObject& g, std::span<const Text> texts) {
  Send(g, LB_SETCOUNT, static_cast<WPARAM>(Count(g)) + texts.size());
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

int RowHeight(GadgetObject& g) { return static_cast<int>(Send(g, LB_GETITEMHEIGHT)); }

// In the gadget's colours, or the platform's for a selected or disabled row.
void DrawRow(GadgetObject& g, const DRAWITEMSTRUCT& row) {
  RECT rect = row.rcItem;
  if (row.itemID != static_cast<UINT>(-1)) {
    bool selected = row.itemState & ODS_SELECTED;
    bool disabled = !IsWindowEnabled(HwndOf(g));
    COLORREF back = selected            ? GetSysColor(COLOR_HIGHLIGHT)
                    : g.backColor != -1 ? static_cast<COLORREF>(g.backColor)
                                        : GetSysColor(COLOR_WINDOW);
    COLORREF front = selected             ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                     : disabled           ? GetSysColor(COLOR_GRAYTEXT)
                     : g.frontColor != -1 ? static_cast<COLORREF>(g.frontColor)
                                          : GetSysColor(COLOR_WINDOWTEXT);
    SetBkColor(row.hDC, back);
    SetTextColor(row.hDC, front);
    std::wstring text = Wide(ListRowText(g, static_cast<int>(row.itemID)));
    ExtTextOutW(row.hDC, rect.left + 1, rect.top, ETO_OPAQUE | ETO_CLIPPED, &rect, text.c_str(),
                static_cast<UINT>(text.size()), nullptr);
  }
  if (row.itemState & ODS_FOCUS) DrawFocusRect(row.hDC, &rect);
}

// A list box that draws its rows keeps the row height it had at creation;
// the rows take the height of the font it is given, as a standard list's do.
void FitRowsToFont(HWND hwnd, HFONT font) {
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  SendMessageW(hwnd, LB_SETITEMHEIGHT, 0, metrics.tmHeight);
}

bool Hook(GadgetObject& g, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_CTLCOLORLISTBOX) {
    return PaintColors(g, reinterpret_cast<HDC>(wParam), COLOR_WINDOW, result);
  }
  if (message == WM_DRAWITEM) {
    DrawRow(g, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    *result = TRUE;
    return true;
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
  RemoveTag(hwnd, Tag::MouseDown);
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
  SetTag(hwnd, Tag::MouseDown, mark);
  SetCapture(hwnd);
  return extended;
}

bool Procedure(GadgetObject& g, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  HWND hwnd = HwndOf(g);
  std::intptr_t mark = GetTag(hwnd, Tag::MouseDown);
  *result = 0;
  switch (message) {
    case WM_SETFONT:
      *result = CallWindowProcW(DataOf(g).previous, hwnd, message, wParam, lParam);
      FitRowsToFont(hwnd, reinterpret_cast<HFONT>(wParam));
      return true;
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

int CurrentListRow(Handle list) {
  HWND hwnd = win32::Hwnd(list);
  bool many = GetWindowLongW(hwnd, GWL_STYLE) & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL);
  auto row = static_cast<int>(SendMessageW(hwnd, many ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
  return row < 0 || row >= static_cast<int>(SendMessageW(hwnd, LB_GETCOUNT, 0, 0)) ? -1 : row;
}

const KindRecord& ListViewRecord() {
  static const KindRecord record{
      // Drawn by its owner, with no data: LBS_OWNERDRAWFIXED | LBS_NODATA.
      .style = [](int) { return win32::ControlStyle{L"ListBox", 0x50332111, WS_EX_CLIENTEDGE}; },
      .hook = win32::Hook,
      .procedure = win32::Procedure,
      .slots = {
          .code = GK_LISTVIEW,
          .release = win32::ReleaseColors,
          .readState = win32::ReadState,
          .writeState = win32::WriteState,
          .insertItem = win32::InsertItem,
          .appendItems = win32::AppendItems,
          .deleteItem = win32::DeleteItem,
          .clearItems = win32::ClearItems,
          .itemCount = win32::ItemCount,
          .readItemState = win32::ReadItemState,
          .writeItemState = win32::WriteItemState,
          .showColor = win32::ShowColor,
          .rowHeight = win32::RowHeight,
      },
  };
  return record;
}

}  // namespace kv::platform

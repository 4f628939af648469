// Panels on the platform's tab control. Each tab has a page, a hidden
// "STATIC" child of the panel that holds the tab's gadgets; only the
// selected tab's page is shown, enabled, in the panel's display area.
#include "win32.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>

#include "toolkit/dpi.h"

namespace kv::win32 {

namespace {

constexpr wchar_t kPageProp[] = L"KV_Page";
constexpr int kLongestTitle = 4096;

// What a page keeps: its own procedure, the panel's item data and, under
// visual styles, a brush of the themed background for its labels.
struct Page {
  WNDPROC previous = nullptr;
  std::intptr_t data = 0;
  HBRUSH brush = nullptr;
  HBITMAP bitmap = nullptr;
};

Page* PageData(HWND page) { return static_cast<Page*>(GetPropW(page, kPageProp)); }

LRESULT Send(GadgetObject& g, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(HwndOf(g), message, wParam, lParam);
}

int Count(GadgetObject& g) { return static_cast<int>(Send(g, TCM_GETITEMCOUNT)); }
bool Exists(GadgetObject& g, int item) { return item >= 0 && item < Count(g); }
int Selected(GadgetObject& g) { return static_cast<int>(Send(g, TCM_GETCURSEL)); }

HWND PageOf(GadgetObject& g, int item) {
  if (!Exists(g, item)) return nullptr;
  TCITEMW tab{};
  tab.mask = TCIF_PARAM;
  Send(g, TCM_GETITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&tab));
  return reinterpret_cast<HWND>(tab.lParam);
}

bool Themed(HWND panel) { return VisualStyles() && GetWindowTheme(panel); }

void DropBrush(Page& page) {
  if (page.brush) DeleteObject(page.brush);
  if (page.bitmap) DeleteObject(page.bitmap);
  page.brush = nullptr;
  page.bitmap = nullptr;
}

// The themed background under the page, as a brush for its children.
HBRUSH BackgroundBrush(HWND hwnd, Page& page) {
  if (page.brush) return page.brush;
  RECT rect{};
  GetClientRect(hwnd, &rect);
  HDC dc = GetDC(hwnd);
  HDC memory = CreateCompatibleDC(dc);
  page.bitmap = CreateCompatibleBitmap(dc, std::max(1L, rect.right), std::max(1L, rect.bottom));
  HGDIOBJ old = SelectObject(memory, page.bitmap);
  DrawThemeParentBackground(hwnd, memory, &rect);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(hwnd, dc);
  page.brush = CreatePatternBrush(page.bitmap);
  return page.brush;
}

LRESULT ThemedChildColors(HWND hwnd, Page& page, WPARAM wParam, LPARAM lParam) {
  auto dc = reinterpret_cast<HDC>(wParam);
  RECT child{};
  GetWindowRect(reinterpret_cast<HWND>(lParam), &child);
  MapWindowPoints(HWND_DESKTOP, hwnd, reinterpret_cast<POINT*>(&child), 2);
  SetBrushOrgEx(dc, -child.left, -child.top, nullptr);
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(BackgroundBrush(hwnd, page));
}

// Pages report to the window procedure; their background is the panel's.
LRESULT CALLBACK PageProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Page* page = PageData(hwnd);
  if (!page) return DefWindowProcW(hwnd, message, wParam, lParam);
  WNDPROC previous = page->previous;
  HWND panel = GetParent(hwnd);
  LRESULT result = 0;
  switch (message) {
    case WM_ERASEBKGND:
      if (Themed(panel)) return 1;
      RECT rect;
      GetClientRect(hwnd, &rect);
      FillRect(reinterpret_cast<HDC>(wParam), &rect, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      if (Themed(panel)) DrawThemeParentBackground(hwnd, dc, &paint.rcPaint);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_SIZE:
      DropBrush(*page);
      if (GadgetObject* gadget = GadgetOfHwnd(panel)) OnPanelPageResized(*gadget);
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (TranslateWindowMessage(hwnd, message, wParam, lParam, &result)) return result;
      if (Themed(panel)) return ThemedChildColors(hwnd, *page, wParam, lParam);
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      RemovePropW(hwnd, kPageProp);
      DropBrush(*page);
      delete page;
      return CallWindowProcW(previous, hwnd, message, wParam, lParam);
    default:
      if (TranslateWindowMessage(hwnd, message, wParam, lParam, &result)) return result;
      break;
  }
  return CallWindowProcW(previous, hwnd, message, wParam, lParam);
}

HWND CreatePage(HWND panel) {
  HWND hwnd = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_NOTIFY, 0, 0, 0, 0, panel,
                              nullptr, Instance(), nullptr);
  if (!hwnd) return nullptr;
  auto* page = new Page;
  SetPropW(hwnd, kPageProp, page);
  page->previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PageProcedure)));
  return hwnd;
}

// The display area; without visual styles it is computed from the tab rows.
void PlacePage(GadgetObject& g, HWND page) {
  HWND panel = HwndOf(g);
  RECT client{};
  GetClientRect(panel, &client);
  RECT area{};
  if (Themed(panel)) {
    area = client;
    Send(g, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    OffsetRect(&area, -1, 1);
    area.bottom -= 1;
  } else {
    RECT tab{};
    Send(g, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    int rows = static_cast<int>(Send(g, TCM_GETROWCOUNT)) * (tab.bottom - tab.top);
    area = {2, rows + 4, client.right - 2, client.bottom - 2};
  }
  SetWindowPos(page, nullptr, area.left, area.top, std::max(0L, area.right - area.left),
               std::max(0L, area.bottom - area.top), SWP_NOZORDER | SWP_NOACTIVATE);
}

void HidePage(GadgetObject& g) {
  if (HWND page = PageOf(g, Selected(g))) {
    ShowWindow(page, SW_HIDE);
    EnableWindow(page, FALSE);
  }
}

void ShowPage(GadgetObject& g) {
  HWND page = PageOf(g, Selected(g));
  if (!page) return;
  PlacePage(g, page);
  EnableWindow(page, TRUE);
  ShowWindow(page, SW_SHOW);
}

void Select(GadgetObject& g, int item) {
  HidePage(g);
  Send(g, TCM_SETCURSEL, static_cast<WPARAM>(item));
  ShowPage(g);
}

int ReadState(GadgetObject& g) { return Selected(g); }

void WriteState(GadgetObject& g, int item) {
  if (Exists(g, item)) Select(g, item);
}

Text ReadItemText(GadgetObject& g, int item, int) {
  if (!Exists(g, item)) return {};
  std::wstring buffer(kLongestTitle + 1, L'\0');
  TCITEMW tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = buffer.data();
  tab.cchTextMax = kLongestTitle + 1;
  Send(g, TCM_GETITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&tab));
  return FromWide(tab.pszText, wcsnlen(tab.pszText, kLongestTitle));
}

int WriteItemText(GadgetObject& g, int item, TextView text, int) {
  if (!Exists(g, item)) return 0;
  std::wstring title = Wide(text);
  TCITEMW tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = title.data();
  Send(g, TCM_SETITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&tab));
  if (HWND page = PageOf(g, Selected(g))) InvalidateRect(page, nullptr, TRUE);
  return 0;
}

Text ReadText(GadgetObject& g) { return ReadItemText(g, Selected(g), 0); }
void WriteText(GadgetObject& g, TextView text) { WriteItemText(g, Selected(g), text, 0); }

// The new tab's page becomes the current gadget parent in place of the
// panel or the page before it.
int InsertItem(GadgetObject& g, int position, TextView title) {
  int count = Count(g);
  if (position < -1) return 0;
  if (position == -1 || position > count) position = count;
  HWND page = CreatePage(HwndOf(g));
  if (!page) return 0;
  std::wstring text = Wide(title);
  TCITEMW tab{};
  tab.mask = TCIF_TEXT | TCIF_PARAM;
  tab.pszText = text.data();
  tab.lParam = reinterpret_cast<LPARAM>(page);
  Send(g, TCM_INSERTITEMW, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&tab));
  if (Selected(g) < 0) Send(g, TCM_SETCURSEL, 0);
  ReplaceGadgetParent(HandleOf(page));
  ShowPage(g);
  return 0;
}

// Deleting a tab selects the first one (the second when the first goes);
// the page goes with every gadget on it.
void DeleteItem(GadgetObject& g, int item) {
  HWND page = PageOf(g, item);
  if (!page) return;
  bool last = Count(g) == 1;
  if (last) {
    HidePage(g);
  } else {
    Select(g, item == 0 ? 1 : 0);
  }
  Send(g, TCM_DELETEITEM, static_cast<WPARAM>(item));
  if (!last) Send(g, TCM_SETCURSEL, 0);
  DestroyWindow(page);
}

void ClearItems(GadgetObject& g) {
  while (Count(g) > 0) DeleteItem(g, 0);
}

int ItemCount(GadgetObject& g) { return Count(g); }

void Place(GadgetObject& g, const PixelRect& rect) {
  platform::MoveControl(g.handle, rect);
  if (HWND page = PageOf(g, Selected(g))) PlacePage(g, page);
}

void OpenItem(GadgetObject& g, int item) {
  if (item == -2) {
    PushGadgetParent(g.handle);
  } else if (HWND page = PageOf(g, item)) {
    PushGadgetParent(HandleOf(page));
  }
}

int ReadAttribute(GadgetObject& g, int attribute) {
  HWND page = PageOf(g, Selected(g));
  if (!page) return 0;
  RECT client{};
  GetClientRect(page, &client);
  RECT tab{};
  switch (attribute) {
    case KV_Panel_ItemWidth: return FromPixelsX(client.right);
    case KV_Panel_ItemHeight: return FromPixelsY(client.bottom);
    case KV_Panel_TabHeight:
      Send(g, TCM_GETITEMRECT, static_cast<WPARAM>(Selected(g)), reinterpret_cast<LPARAM>(&tab));
      return FromPixelsY(tab.top + tab.bottom);
    default: return 0;
  }
}

std::intptr_t ReadItemData(GadgetObject& g, int item) {
  HWND page = PageOf(g, item);
  return page ? PageData(page)->data : 0;
}

void WriteItemData(GadgetObject& g, int item, std::intptr_t data) {
  if (HWND page = PageOf(g, item)) PageData(page)->data = data;
}

// The user's tab switch: the old page goes before, the new one comes after.
bool Hook(GadgetObject& g, UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
  if (message != WM_NOTIFY) return false;
  switch (reinterpret_cast<NMHDR*>(lParam)->code) {
    case TCN_SELCHANGING:
      HidePage(g);
      *result = FALSE;
      return true;
    case TCN_SELCHANGE:
      ShowPage(g);
      QueueGadgetEvent(g, ET_CHANGE);
      *result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace

const GadgetKind& PanelKind() {
  static const GadgetKind kind{
      .code = GK_PANEL,
      .readState = ReadState,
      .writeState = WriteState,
      .readText = ReadText,
      .writeText = WriteText,
      .insertItem = InsertItem,
      .deleteItem = DeleteItem,
      .clearItems = ClearItems,
      .place = Place,
      .itemCount = ItemCount,
      .readItemText = ReadItemText,
      .writeItemText = WriteItemText,
      .openItem = OpenItem,
      .readAttribute = ReadAttribute,
      .writeItemData = WriteItemData,
      .readItemData = ReadItemData,
  };
  return kind;
}

const KindBehaviour kPanelBehaviour{.hook = Hook};

}  // namespace kv::win32

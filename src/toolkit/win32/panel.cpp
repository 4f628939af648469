// Panels on the platform's tab control. Each tab has a page, a hidden
// "STATIC" child of the panel that holds the tab's gadgets; only the
// selected tab's page is shown, enabled, in the panel's display area. The
// core writes the rules of tabs over the primitives here (panel.cpp there).
#include "win32.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>

#include "toolkit/dpi.h"

namespace kv::win32 {

namespace {

constexpr int kLongestTitle = 4096;

// What a page keeps: its own procedure and, under visual styles, a brush of
// the themed background for its labels.
struct Page {
  WNDPROC previous = nullptr;
  HBRUSH brush = nullptr;
  HBITMAP bitmap = nullptr;
};

Page* PageData(HWND page) { return reinterpret_cast<Page*>(GetTag(page, Tag::Page)); }

LRESULT Send(HWND panel, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(panel, message, wParam, lParam);
}

int Count(HWND panel) { return static_cast<int>(Send(panel, TCM_GETITEMCOUNT)); }
bool Exists(HWND panel, int item) { return item >= 0 && item < Count(panel); }
int Selected(HWND panel) { return static_cast<int>(Send(panel, TCM_GETCURSEL)); }

HWND PageOf(HWND panel, int item) {
  if (!Exists(panel, item)) return nullptr;
  TCITEMW tab{};
  tab.mask = TCIF_PARAM;
  Send(panel, TCM_GETITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&tab));
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

// Labels, buttons and track bars show the page's background through; entry
// fields, read-only and disabled ones too, keep their own.
bool TakesPageBackground(HWND child) {
  wchar_t name[32] = {};
  GetClassNameW(child, name, 32);
  return lstrcmpiW(name, WC_STATICW) == 0 || lstrcmpiW(name, WC_BUTTONW) == 0 ||
         lstrcmpiW(name, TRACKBAR_CLASSW) == 0;
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
      if (Themed(panel) && TakesPageBackground(reinterpret_cast<HWND>(lParam))) {
        return ThemedChildColors(hwnd, *page, wParam, lParam);
      }
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      ForgetTags(hwnd);
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
  SetTag(hwnd, Tag::Page, reinterpret_cast<std::intptr_t>(page));
  page->previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PageProcedure)));
  return hwnd;
}

// The display area; without visual styles it is computed from the tab rows.
void PlacePage(HWND panel, HWND page) {
  RECT client{};
  GetClientRect(panel, &client);
  RECT area{};
  if (Themed(panel)) {
    area = client;
    Send(panel, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    OffsetRect(&area, -1, 1);
    area.bottom -= 1;
  } else {
    RECT tab{};
    Send(panel, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    int rows = static_cast<int>(Send(panel, TCM_GETROWCOUNT)) * (tab.bottom - tab.top);
    area = {2, rows + 4, client.right - 2, client.bottom - 2};
  }
  SetWindowPos(page, nullptr, area.left, area.top, std::max(0L, area.right - area.left),
               std::max(0L, area.bottom - area.top), SWP_NOZORDER | SWP_NOACTIVATE);
}

int ReadAttribute(GadgetObject& g, int attribute) {
  HWND panel = HwndOf(g);
  HWND page = PageOf(panel, Selected(panel));
  if (!page) return 0;
  RECT client{};
  GetClientRect(page, &client);
  RECT tab{};
  switch (attribute) {
    case KV_Panel_ItemWidth: return FromPixelsX(client.right);
    case KV_Panel_ItemHeight: return FromPixelsY(client.bottom);
    case KV_Panel_TabHeight:
      Send(panel, TCM_GETITEMRECT, static_cast<WPARAM>(Selected(panel)),
           reinterpret_cast<LPARAM>(&tab));
      return FromPixelsY(tab.top + tab.bottom);
    default: return 0;
  }
}

// The user's tab switch: the old page goes before, the new one comes after.
bool Hook(GadgetObject& g, UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
  if (message != WM_NOTIFY) return false;
  switch (reinterpret_cast<NMHDR*>(lParam)->code) {
    case TCN_SELCHANGING:
      platform::ShowTabPage(g.handle, false);
      *result = FALSE;
      return true;
    case TCN_SELCHANGE:
      platform::ShowTabPage(g.handle, true);
      QueueGadgetEvent(g, ET_CHANGE);
      *result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace

}  // namespace kv::win32

namespace kv::platform {

using win32::Hwnd;

const KindRecord& PanelRecord() {
  static const KindRecord record{
      .style =
          [](int) {
            return win32::ControlStyle{WC_TABCONTROLW, 0x50030000, WS_EX_TRANSPARENT};
          },
      .hook = win32::Hook,
      .slots = {.code = GK_PANEL, .readAttribute = win32::ReadAttribute},
  };
  return record;
}

int TabCount(Handle panel) { return win32::Count(Hwnd(panel)); }

int SelectedTab(Handle panel) { return win32::Selected(Hwnd(panel)); }

void SelectTab(Handle panel, int tab) {
  win32::Send(Hwnd(panel), TCM_SETCURSEL, static_cast<WPARAM>(tab));
}

void ShowTabPage(Handle handle, bool shown) {
  HWND panel = Hwnd(handle);
  HWND page = win32::PageOf(panel, win32::Selected(panel));
  if (!page) return;
  if (shown) {
    win32::PlacePage(panel, page);
    EnableWindow(page, TRUE);
    ShowWindow(page, SW_SHOW);
  } else {
    ShowWindow(page, SW_HIDE);
    EnableWindow(page, FALSE);
  }
}

Handle TabPage(Handle panel, int tab) { return win32::HandleOf(win32::PageOf(Hwnd(panel), tab)); }

Handle InsertTab(Handle handle, int position, TextView title) {
  HWND panel = Hwnd(handle);
  HWND page = win32::CreatePage(panel);
  if (!page) return 0;
  std::wstring text = win32::Wide(title);
  TCITEMW tab{};
  tab.mask = TCIF_TEXT | TCIF_PARAM;
  tab.pszText = text.data();
  tab.lParam = reinterpret_cast<LPARAM>(page);
  win32::Send(panel, TCM_INSERTITEMW, static_cast<WPARAM>(position),
              reinterpret_cast<LPARAM>(&tab));
  return win32::HandleOf(page);
}

// The tab control does not keep its selection on the tab it had.
void RemoveTab(Handle handle, int tab) {
  HWND panel = Hwnd(handle);
  int selected = win32::Selected(panel);
  win32::Send(panel, TCM_DELETEITEM, static_cast<WPARAM>(tab));
  if (selected < 0 || selected == tab) return;
  win32::Send(panel, TCM_SETCURSEL, static_cast<WPARAM>(selected > tab ? selected - 1 : selected));
}

Text TabTitle(Handle panel, int tab) {
  std::wstring buffer(win32::kLongestTitle + 1, L'\0');
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = buffer.data();
  item.cchTextMax = win32::kLongestTitle + 1;
  win32::Send(Hwnd(panel), TCM_GETITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
  return win32::FromWide(item.pszText, wcsnlen(item.pszText, win32::kLongestTitle));
}

void WriteTabTitle(Handle handle, int tab, TextView title) {
  HWND panel = Hwnd(handle);
  std::wstring text = win32::Wide(title);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  // The control repaints its own tab row; the page keeps its pixels (an
  // invalidated page would repaint every control on it).
  win32::Send(panel, TCM_SETITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
}

}  // namespace kv::platform

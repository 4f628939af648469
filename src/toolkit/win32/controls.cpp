// Gadget controls: creation on the platform's classes, the gadget procedure
// that every control is subclassed with, and the generic control operations.
#include "win32.h"

#include <commctrl.h>
#include <shlwapi.h>
#include <uxtheme.h>

#include "toolkit/dpi.h"

namespace kv {

namespace win32 {

namespace {

constexpr int kLowEditor = 20;  // pixels; disabled at 20 units

struct GadgetResources {
  HFONT font = nullptr;
  bool ownFont = false;
  bool visualStyles = false;
};

GadgetResources& Resources() {
  static GadgetResources resources;
  return resources;
}

bool CommonControlsVersion6() {
  HMODULE library = GetModuleHandleW(L"comctl32.dll");
  auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
      reinterpret_cast<void*>(GetProcAddress(library, "DllGetVersion")));
  DLLVERSIONINFO info{};
  info.cbSize = sizeof info;
  return getVersion && SUCCEEDED(getVersion(&info)) && info.dwMajorVersion >= 6;
}

LRESULT CALLBACK GadgetProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  GadgetObject* gadget = GadgetOfHwnd(hwnd);
  if (!gadget) return DefWindowProcW(hwnd, message, wParam, lParam);
  // Handlers may dispose of the gadget while it handles a message.
  WNDPROC previous = DataOf(*gadget).previous;
  if (message == WM_NCDESTROY) {
    HWND partner = DataOf(*gadget).partner;
    if (partner && IsWindow(partner)) DestroyWindow(partner);
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    ForgetTags(hwnd);
    SetWindowLongPtrW(hwnd, GWLP_ID, kUnattachedId);
    OnGadgetDestroyed(gadget->number, gadget->handle);
    return CallWindowProcW(previous, hwnd, message, wParam, lParam);
  }
  const KindRecord& kind = *gadget->record;
  LRESULT result = 0;
  if (kind.procedure && kind.procedure(*gadget, message, wParam, lParam, &result)) {
    return result;
  }
  return CallWindowProcW(previous, hwnd, message, wParam, lParam);
}

}  // namespace

GadgetObject* GadgetOfHwnd(HWND hwnd) {
  std::intptr_t mark = GetTag(hwnd, Tag::GadgetId);
  if (!mark) return nullptr;
  auto number = static_cast<int>(mark - 1);
  if (GetWindowLongPtrW(hwnd, GWLP_ID) != number) return nullptr;
  GadgetObject* gadget = FindGadgetObject(number);
  return gadget && HwndOf(*gadget) == hwnd ? gadget : nullptr;
}

bool VisualStyles() { return Resources().visualStyles; }

HFONT GadgetFont() { return Resources().font; }

void ReleaseGadgetFont() {
  GadgetResources& resources = Resources();
  if (resources.ownFont) DeleteObject(resources.font);
  resources.font = nullptr;
  resources.ownFont = false;
}

PixelSize MeasureText(HWND control, TextView text) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  std::wstring wide = Wide(text);
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return {size.cx, size.cy};
}

}  // namespace win32

namespace platform {

using win32::Hwnd;

void InitGadgets() {
  win32::GadgetResources& resources = win32::Resources();
  if (!resources.font) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
      resources.font = CreateFontIndirectW(&metrics.lfMessageFont);
    }
    resources.ownFont = resources.font != nullptr;
    if (!resources.font) resources.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_HOTKEY_CLASS |
                                                   ICC_DATE_CLASSES | ICC_USEREX_CLASSES |
                                                   ICC_INTERNET_CLASSES | ICC_LISTVIEW_CLASSES |
                                                   ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES |
                                                   ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&classes);
  resources.visualStyles = win32::CommonControlsVersion6() && IsAppThemed() && IsThemeActive();
  win32::RegisterContainerClasses();
}

void EndGadgets() { win32::DestroyTips(); }

const GadgetKind& KindSlots(const KindRecord& record) { return record.slots; }

Handle CreateControl(const ControlParams& params) {
  const KindRecord& kind = *params.record;
  win32::ControlStyle controlStyle = kind.style(params.flags);
  DWORD style = controlStyle.style;
  if (controlStyle.flagsAreStyle) style |= static_cast<DWORD>(params.flags);
  HWND hwnd = CreateWindowExW(
      controlStyle.exStyle, controlStyle.name,
      kind.hasText ? win32::Wide(params.text).c_str() : L"", style, params.rect.x, params.rect.y,
      params.rect.width, params.rect.height, Hwnd(params.parent),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(win32::kUnattachedId)), win32::Instance(),
      nullptr);
  if (hwnd && kind.makeParts && !kind.makeParts(hwnd)) {
    DestroyWindow(hwnd);
    return 0;
  }
  return win32::HandleOf(hwnd);
}

void AttachGadget(GadgetObject& gadget) {
  HWND hwnd = win32::HwndOf(gadget);
  gadget.data = std::make_unique<win32::ControlData>();
  if (gadget.record->attach) gadget.record->attach(gadget);
  win32::DataOf(gadget).previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(win32::GadgetProcedure)));
  SetWindowLongPtrW(hwnd, GWLP_ID, gadget.number);
  win32::SetTag(hwnd, win32::Tag::GadgetId, static_cast<std::intptr_t>(gadget.number) + 1);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(win32::GadgetFont()), TRUE);
}

PixelRect ControlRect(Handle control) {
  HWND hwnd = Hwnd(control);
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void MoveControl(Handle control, const PixelRect& rect) {
  HWND hwnd = Hwnd(control);
  MoveWindow(hwnd, rect.x, rect.y, rect.width, rect.height, TRUE);
  InvalidateRect(hwnd, nullptr, TRUE);
  GadgetObject* gadget = win32::GadgetOfHwnd(hwnd);
  if (gadget && gadget->kind->code == GK_BUTTON) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE);
  }
  // A spin field's arrows take their place beside it again.
  if (gadget && win32::DataOf(*gadget).partner) {
    SendMessageW(win32::DataOf(*gadget).partner, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hwnd), 0);
  }
}

PixelSize TextExtent(Handle control, TextView text) {
  return win32::MeasureText(Hwnd(control), text);
}

int BorderWidth() { return GetSystemMetrics(SM_CXBORDER); }

void AdoptControl(Handle parent, Handle control) { SetParent(Hwnd(control), Hwnd(parent)); }

void RepaintControl(Handle control) { InvalidateRect(Hwnd(control), nullptr, TRUE); }

void ShowControl(Handle handle, bool visible) {
  ShowWindow(Hwnd(handle), visible ? SW_SHOW : SW_HIDE);
  GadgetObject* gadget = win32::GadgetOfHwnd(Hwnd(handle));
  if (gadget && win32::DataOf(*gadget).partner) {
    ShowWindow(win32::DataOf(*gadget).partner, visible ? SW_SHOW : SW_HIDE);
  }
}

void SetRedraw(Handle handle, bool on) {
  HWND hwnd = Hwnd(handle);
  SendMessageW(hwnd, WM_SETREDRAW, on, 0);
  if (on) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
}

// A low rich edit control is disabled at a usable height, or it keeps
// drawing its old state.

void EnableHandle(Handle handle, bool enabled) {
  HWND hwnd = Hwnd(handle);
  GadgetObject* gadget = win32::GadgetOfHwnd(hwnd);
  PixelRect rect = ControlRect(handle);
  bool raise = !enabled && gadget && gadget->kind->code == GK_EDITOR &&
               rect.height < win32::kLowEditor;
  UINT keep = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  if (raise) SetWindowPos(hwnd, nullptr, 0, 0, rect.width, ToPixelsY(win32::kLowEditor), keep);
  EnableWindow(hwnd, enabled);
  if (gadget && win32::DataOf(*gadget).partner) EnableWindow(win32::DataOf(*gadget).partner, enabled);
  if (raise) SetWindowPos(hwnd, nullptr, 0, 0, rect.width, rect.height, keep);
}

}  // namespace platform
}  // namespace kv

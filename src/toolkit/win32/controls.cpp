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

constexpr int kUnattachedId = -1;
constexpr int kLowEditor = 20;  // pixels; disabled at 20 units

struct ControlClass {
  const wchar_t* name;
  DWORD style;
  DWORD exStyle;
  bool flagsAreStyle = true;  // else the flags are translated into style
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kTabbed = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

bool Has(int flags, int flag) { return (flags & flag) == flag; }

DWORD ListStyle(int kind, int flags) {
  bool explorer = kind == GK_EXPLORERLIST;
  int many = explorer ? KV_Explorer_MultiSelect : KV_ListIcon_MultiSelect;
  int always = explorer ? KV_Explorer_AlwaysShowSelection : KV_ListIcon_AlwaysShowSelection;
  return kTabbed | LVS_REPORT | (Has(flags, many) ? 0u : LVS_SINGLESEL) |
         (Has(flags, always) ? LVS_SHOWSELALWAYS : 0u);
}

DWORD TreeStyle(int kind, int flags) {
  bool explorer = kind == GK_EXPLORERTREE;
  bool lines = !Has(flags, explorer ? KV_Explorer_NoLines : KV_Tree_NoLines);
  bool buttons = !Has(flags, explorer ? KV_Explorer_NoButtons : KV_Tree_NoButtons);
  int always = explorer ? KV_Explorer_AlwaysShowSelection : KV_Tree_AlwaysShowSelection;
  return kTabbed | (lines ? TVS_HASLINES | TVS_LINESATROOT : 0u) |
         (buttons ? TVS_HASBUTTONS : 0u) | (Has(flags, always) ? TVS_SHOWSELALWAYS : 0u) |
         (!explorer && Has(flags, KV_Tree_CheckBoxes) ? TVS_CHECKBOXES : 0u);
}

DWORD ComboStyle(int kind, int flags) {
  bool editable = kind == GK_EXPLORERCOMBO ? Has(flags, KV_Explorer_Editable)
                                           : Has(flags, KV_ComboBox_Editable);
  DWORD style = kTabbed | WS_VSCROLL | (editable ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST);
  if (kind == GK_COMBOBOX) {
    style |= flags & (KV_ComboBox_UpperCase | KV_ComboBox_LowerCase);
  }
  return style;
}

// The classes of the standard controls beyond the six first kinds.
ControlClass StandardClassOf(int kind, int flags) {
  switch (kind) {
    case GK_CHECKBOX:
      return {L"Button",
              kTabbed | (Has(flags, KV_CheckBox_ThreeState) ? BS_3STATE : BS_CHECKBOX) |
                  (flags & KV_CheckBox_Center),
              0, false};
    case GK_OPTION: return {L"Button", kTabbed | BS_RADIOBUTTON, 0, false};
    case GK_BUTTONIMAGE:
      return {L"Button",
              kTabbed | BS_BITMAP | (Has(flags, KV_Button_Toggle) ? BS_AUTOCHECKBOX | BS_PUSHLIKE : 0u),
              0, false};
    case GK_IMAGE:
      return {L"Static", kChild | SS_BITMAP | SS_NOTIFY,
              (Has(flags, KV_Image_Border) ? WS_EX_CLIENTEDGE : 0u) |
                  (Has(flags, KV_Image_Raised) ? WS_EX_DLGMODALFRAME : 0u),
              false};
    case GK_HYPERLINK: return {L"Static", kChild | SS_NOTIFY | SS_NOPREFIX, 0, false};
    case GK_PROGRESSBAR: return {PROGRESS_CLASSW, kChild, 0};
    case GK_TRACKBAR: return {TRACKBAR_CLASSW, kTabbed, 0};
    case GK_SCROLLBAR: return {L"ScrollBar", kChild, 0};
    case GK_SPIN:
      return {L"Edit",
              kTabbed | ES_AUTOHSCROLL | (Has(flags, KV_Spin_Numeric) ? ES_NUMBER : 0u) |
                  (Has(flags, KV_Spin_ReadOnly) ? ES_READONLY : 0u),
              WS_EX_CLIENTEDGE, false};
    case GK_COMBOBOX:
    case GK_EXPLORERCOMBO: return {WC_COMBOBOXW, ComboStyle(kind, flags), 0, false};
    case GK_LISTICON:
    case GK_EXPLORERLIST: return {WC_LISTVIEWW, ListStyle(kind, flags), WS_EX_CLIENTEDGE, false};
    case GK_TREE:
    case GK_EXPLORERTREE: return {WC_TREEVIEWW, TreeStyle(kind, flags), WS_EX_CLIENTEDGE, false};
    case GK_DATE: return {DATETIMEPICK_CLASSW, kTabbed, 0};
    case GK_CALENDAR:
      return {MONTHCAL_CLASSW, kTabbed | (Has(flags, KV_Calendar_Borderless) ? 0u : WS_BORDER), 0,
              false};
    case GK_IPADDRESS: return {WC_IPADDRESSW, kTabbed, 0};
    case GK_SHORTCUT: return {HOTKEY_CLASSW, kTabbed, WS_EX_CLIENTEDGE};
    default: return {L"Static", 0x50020080, flags & KV_Text_Border ? WS_EX_CLIENTEDGE : 0u};
  }
}

// A scroll area's border as its flags choose; a sunken edge by default.
ControlClass ScrollAreaClass(int flags) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
  if (flags & KV_ScrollArea_BorderLess) return {kScrollAreaClass, style, 0};
  if (flags & KV_ScrollArea_Flat) return {kScrollAreaClass, style | WS_BORDER, 0};
  if (flags & KV_ScrollArea_Single) return {kScrollAreaClass, style, WS_EX_STATICEDGE};
  if (flags & KV_ScrollArea_Raised) {
    return {kScrollAreaClass, style, WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME};
  }
  return {kScrollAreaClass, style, WS_EX_CLIENTEDGE};
}

// Style bits every gadget of a kind has; the creation flags are added.
ControlClass ClassOf(int kind, int flags) {
  switch (kind) {
    case GK_BUTTON: return {L"Button", 0x50030000, 0};
    case GK_STRING:
      return {L"Edit", 0x50030080, flags & KV_String_BorderLess ? 0u : WS_EX_CLIENTEDGE};
    case GK_LISTVIEW: return {L"ListBox", 0x50330141, WS_EX_CLIENTEDGE};
    case GK_EDITOR:
      return {RichEditClass(), 0x503111C4, VisualStyles() ? 0u : WS_EX_CLIENTEDGE};
    case GK_PANEL: return {WC_TABCONTROLW, 0x50030000, WS_EX_TRANSPARENT};
    case GK_FRAME: return {L"Button", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0};
    case GK_CONTAINER: return {kContainerClass, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0};
    case GK_SPLITTER: return {kSplitterClass, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0};
    case GK_CANVAS:
      return {kCanvasClass,
              WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN |
                  (flags & KV_Canvas_Border ? WS_BORDER : 0u) |
                  (flags & KV_Canvas_Keyboard ? WS_TABSTOP : 0u),
              0};
    case GK_SCROLLAREA: return ScrollAreaClass(flags);
    default: return StandardClassOf(kind, flags);
  }
}

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
    RemovePropW(hwnd, kGadgetIdProp);
    SetWindowLongPtrW(hwnd, GWLP_ID, kUnattachedId);
    OnGadgetDestroyed(gadget->number, gadget->handle);
    return CallWindowProcW(previous, hwnd, message, wParam, lParam);
  }
  const KindBehaviour& behaviour = BehaviourOf(*gadget);
  LRESULT result = 0;
  if (behaviour.procedure && behaviour.procedure(*gadget, message, wParam, lParam, &result)) {
    return result;
  }
  return CallWindowProcW(previous, hwnd, message, wParam, lParam);
}

}  // namespace

const KindBehaviour& BehaviourOf(const GadgetObject& gadget) {
  static const KindBehaviour none;
  static const KindBehaviour canvas{.procedure = FocusProcedure};
  switch (gadget.kind->code) {
    case GK_STRING: return kStringBehaviour;
    case GK_TEXT: return kTextBehaviour;
    case GK_LISTVIEW: return kListViewBehaviour;
    case GK_EDITOR: return kEditorBehaviour;
    case GK_PANEL: return kPanelBehaviour;
    case GK_CANVAS: return canvas;
    case GK_CHECKBOX:
    case GK_OPTION: return kChoiceBehaviour;
    case GK_PROGRESSBAR:
    case GK_TRACKBAR:
    case GK_SCROLLBAR: return kValueBehaviour;
    case GK_SPIN: return kSpinBehaviour;
    case GK_COMBOBOX:
    case GK_EXPLORERCOMBO: return kComboBoxBehaviour;
    case GK_LISTICON:
    case GK_EXPLORERLIST: return kListIconBehaviour;
    case GK_TREE:
    case GK_EXPLORERTREE: return kTreeBehaviour;
    case GK_DATE:
    case GK_CALENDAR: return kDateBehaviour;
    case GK_HYPERLINK: return kLinkBehaviour;
    case GK_IMAGE:
    case GK_BUTTONIMAGE: return kImageBehaviour;
    default: return none;
  }
}

GadgetObject* GadgetOfHwnd(HWND hwnd) {
  auto mark = reinterpret_cast<std::intptr_t>(GetPropW(hwnd, kGadgetIdProp));
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

const GadgetKind& KindTable(int kindCode) {
  switch (kindCode) {
    case GK_BUTTON: return win32::ButtonKind();
    case GK_STRING: return win32::StringKind();
    case GK_LISTVIEW: return win32::ListViewKind();
    case GK_EDITOR: return win32::EditorKind();
    case GK_PANEL: return win32::PanelKind();
    case GK_COMBOBOX: return win32::ComboBoxKind();
    case GK_LISTICON: return win32::ListIconKind();
    case GK_TREE: return win32::TreeKind();
    case GK_DATE: return win32::DateKind();
    case GK_CALENDAR: return win32::CalendarKind();
    case GK_IPADDRESS: return win32::IpAddressKind();
    case GK_SHORTCUT: return win32::ShortcutKind();
    case GK_HYPERLINK: return win32::HyperLinkKind();
    case GK_IMAGE: return win32::ImageKind();
    case GK_BUTTONIMAGE: return win32::ButtonImageKind();
    default: return win32::TextKind();
  }
}

Handle CreateControl(const ControlParams& params) {
  win32::ControlClass controlClass = win32::ClassOf(params.kind, params.flags);
  bool hasText = params.kind == GK_BUTTON || params.kind == GK_STRING || params.kind == GK_TEXT ||
                 params.kind == GK_FRAME || params.kind == GK_CHECKBOX ||
                 params.kind == GK_OPTION || params.kind == GK_HYPERLINK;
  DWORD style = controlClass.style;
  if (controlClass.flagsAreStyle) style |= static_cast<DWORD>(params.flags);
  HWND hwnd = CreateWindowExW(
      controlClass.exStyle, controlClass.name, hasText ? win32::Wide(params.text).c_str() : L"",
      style, params.rect.x, params.rect.y,
      params.rect.width, params.rect.height, Hwnd(params.parent),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(win32::kUnattachedId)), win32::Instance(),
      nullptr);
  if (hwnd && params.kind == GK_SCROLLAREA) {
    HWND inner = CreateWindowExW(0, win32::kScrollAreaChildClass, L"", WS_CHILD | WS_VISIBLE |
                                 WS_CLIPCHILDREN, 0, 0, 0, 0, hwnd, nullptr, win32::Instance(),
                                 nullptr);
    if (!inner) {
      DestroyWindow(hwnd);
      return 0;
    }
  }
  return win32::HandleOf(hwnd);
}

void AttachGadget(GadgetObject& gadget) {
  HWND hwnd = win32::HwndOf(gadget);
  gadget.data = std::make_unique<win32::ControlData>();
  const win32::KindBehaviour& behaviour = win32::BehaviourOf(gadget);
  if (behaviour.attach) behaviour.attach(gadget);
  win32::DataOf(gadget).previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(win32::GadgetProcedure)));
  SetWindowLongPtrW(hwnd, GWLP_ID, gadget.number);
  SetPropW(hwnd, win32::kGadgetIdProp,
           reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(gadget.number) + 1));
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

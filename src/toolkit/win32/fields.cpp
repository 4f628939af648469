// The small standard controls: combo boxes, date fields and calendars,
// address and shortcut fields, links and images; and the drives the
// folder-browsing kinds start from.
#include "win32.h"

#include <commctrl.h>

#include <cwchar>
#include <iterator>
#include <vector>

namespace kv::win32 {

namespace {

constexpr int kDropDownHeight = 200;  // pixels of a combo box's list
constexpr ULONGLONG kTicksPerSecond = 10000000;
constexpr ULONGLONG kSecondsTo1970 = 11644473600;  // from 1601

LRESULT Send(GadgetObject& g, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(HwndOf(g), message, wParam, lParam);
}

PixelSize Edge() { return platform::EdgeSize(); }
int ArrowWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

// ---- Combo boxes -------------------------------------------------------------------

ControlStyle ComboStyle(bool explorer, int flags) {
  bool editable = HasFlag(flags, explorer ? KV_Explorer_Editable : KV_ComboBox_Editable);
  DWORD style =
      kTabbed | WS_VSCROLL | (editable ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST);
  if (!explorer) style |= flags & (KV_ComboBox_UpperCase | KV_ComboBox_LowerCase);
  return {WC_COMBOBOXW, style, 0, false};
}

int Count(GadgetObject& g) { return static_cast<int>(Send(g, CB_GETCOUNT)); }
bool Exists(GadgetObject& g, int item) { return item >= 0 && item < Count(g); }

int ComboState(GadgetObject& g) { return static_cast<int>(Send(g, CB_GETCURSEL)); }
void ComboSelect(GadgetObject& g, int item) { Send(g, CB_SETCURSEL, static_cast<WPARAM>(item)); }

void ComboWriteText(GadgetObject& g, TextView text) {
  std::wstring wanted = Wide(text);
  LRESULT item = Send(g, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(wanted.c_str()));
  if (item != CB_ERR) {
    ComboSelect(g, static_cast<int>(item));
  } else if ((GetWindowLongW(HwndOf(g), GWL_STYLE) & 3) == CBS_DROPDOWN) {
    SetWindowTextW(HwndOf(g), wanted.c_str());
  }
}

int ComboInsert(GadgetObject& g, int position, TextView text) {
  std::wstring wide = Wide(text);
  Send(g, CB_INSERTSTRING, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(wide.c_str()));
  return 0;
}

void ComboDelete(GadgetObject& g, int item) {
  if (Exists(g, item)) Send(g, CB_DELETESTRING, static_cast<WPARAM>(item));
}

void ComboClear(GadgetObject& g) { Send(g, CB_RESETCONTENT); }

Text ComboItemText(GadgetObject& g, int item, int) {
  if (!Exists(g, item)) return {};
  LRESULT length = Send(g, CB_GETLBTEXTLEN, static_cast<WPARAM>(item));
  std::wstring buffer(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
  LRESULT copied = Send(g, CB_GETLBTEXT, static_cast<WPARAM>(item),
                        reinterpret_cast<LPARAM>(buffer.data()));
  return FromWide(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

// Replaced in place, with its data and the choice kept.
int ComboWriteItemText(GadgetObject& g, int item, TextView text, int) {
  if (!Exists(g, item)) return -1;
  LRESULT data = Send(g, CB_GETITEMDATA, static_cast<WPARAM>(item));
  bool chosen = ComboState(g) == item;
  Send(g, CB_DELETESTRING, static_cast<WPARAM>(item));
  ComboInsert(g, item, text);
  Send(g, CB_SETITEMDATA, static_cast<WPARAM>(item), data);
  if (chosen) ComboSelect(g, item);
  return 0;
}

std::intptr_t ComboItemData(GadgetObject& g, int item) {
  return Exists(g, item) ? Send(g, CB_GETITEMDATA, static_cast<WPARAM>(item)) : 0;
}

void ComboWriteItemData(GadgetObject& g, int item, std::intptr_t data) {
  if (Exists(g, item)) Send(g, CB_SETITEMDATA, static_cast<WPARAM>(item), data);
}

// The height given to a combo box is its field's and its list's together.
void ComboPlace(GadgetObject& g, const PixelRect& rect) {
  platform::MoveControl(g.handle, {rect.x, rect.y, rect.width, rect.height + kDropDownHeight});
}

PixelSize ComboSize(GadgetObject& g) {
  return FieldRequiredSize({0, MeasureText(HwndOf(g), u"Hg").height}, Edge(), ArrowWidth());
}

bool ComboHook(GadgetObject& g, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  if (message != WM_COMMAND) return false;
  *result = 0;
  switch (HIWORD(wParam)) {
    case CBN_SELCHANGE:
    case CBN_EDITCHANGE: QueueGadgetEvent(g, ET_CHANGE); break;
    case CBN_SETFOCUS: QueueGadgetEvent(g, ET_FOCUS); break;
    case CBN_KILLFOCUS: QueueGadgetEvent(g, ET_LOST_FOCUS); break;
    default: break;
  }
  return true;
}

// ---- Dates -------------------------------------------------------------------------

SYSTEMTIME TimeOf(int date) {
  SYSTEMTIME time{};
  if (!date) {
    GetSystemTime(&time);
    return time;
  }
  ULONGLONG ticks = (static_cast<ULONGLONG>(static_cast<LONGLONG>(date) + kSecondsTo1970)) *
                    kTicksPerSecond;
  FILETIME file{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  FileTimeToSystemTime(&file, &time);
  return time;
}

int DateOf(const SYSTEMTIME& time) {
  FILETIME file{};
  if (!SystemTimeToFileTime(&time, &file)) return 0;
  ULONGLONG ticks = (static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
  return static_cast<int>(static_cast<LONGLONG>(ticks / kTicksPerSecond) -
                          static_cast<LONGLONG>(kSecondsTo1970));
}

int DateState(GadgetObject& g) {
  SYSTEMTIME time{};
  if (Send(g, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID) return 0;
  time.wMilliseconds = 0;
  return DateOf(time);
}

void DateWriteState(GadgetObject& g, int date) {
  SYSTEMTIME time = TimeOf(date);
  Send(g, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

// %yyyy, %yy, %mm, %dd, %hh, %ii and %ss become the platform's fields; the
// rest is quoted.
std::wstring PlatformMask(TextView mask) {
  struct Field {
    TextView code;
    const wchar_t* platform;
  };
  const Field fields[] = {{u"%yyyy", L"yyyy"}, {u"%yy", L"yy"}, {u"%mm", L"MM"}, {u"%dd", L"dd"},
                          {u"%hh", L"HH"},     {u"%ii", L"mm"}, {u"%ss", L"ss"}};
  std::wstring format;
  for (size_t i = 0; i < mask.size();) {
    const Field* match = nullptr;
    for (const Field& field : fields) {
      if (mask.substr(i, field.code.size()) == field.code) match = &field;
      if (match) break;
    }
    if (match) {
      format += match->platform;
      i += match->code.size();
    } else {
      format += L'\'';
      format += static_cast<wchar_t>(mask[i++]);
      format += L'\'';
    }
  }
  return format;
}

void DateWriteMask(GadgetObject& g, TextView mask) {
  std::wstring format = PlatformMask(mask);
  Send(g, DTM_SETFORMATW, 0, mask.empty() ? 0 : reinterpret_cast<LPARAM>(format.c_str()));
}

PixelSize DateSize(GadgetObject& g) {
  return FieldRequiredSize(MeasureText(HwndOf(g), WindowText(HwndOf(g)) + u"  "), Edge(),
                           ArrowWidth());
}

// A calendar holds whole days.
int CalendarState(GadgetObject& g) {
  SYSTEMTIME time{};
  if (!Send(g, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&time))) return 0;
  time.wHour = time.wMinute = time.wSecond = time.wMilliseconds = 0;
  return DateOf(time);
}

void CalendarWriteState(GadgetObject& g, int date) {
  SYSTEMTIME time = TimeOf(date);
  Send(g, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&time));
}

PixelSize CalendarSize(GadgetObject& g) {
  RECT rect{};
  Send(g, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&rect));
  return {rect.right - rect.left + 2 * Edge().width, rect.bottom - rect.top + 2 * Edge().height};
}

bool DateHook(GadgetObject& g, UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
  if (message != WM_NOTIFY) return false;
  UINT code = reinterpret_cast<NMHDR*>(lParam)->code;
  if (code == DTN_DATETIMECHANGE || code == MCN_SELCHANGE) QueueGadgetEvent(g, ET_CHANGE);
  *result = 0;
  return true;
}

// ---- Address and shortcut fields ---------------------------------------------------

int AddressState(GadgetObject& g) {
  DWORD address = 0;
  Send(g, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
  return static_cast<int>(address);
}

void AddressWriteState(GadgetObject& g, int address) {
  Send(g, IPM_SETADDRESS, 0, static_cast<LPARAM>(static_cast<DWORD>(address)));
}

Text AddressRead(GadgetObject& g) { return AddressText(AddressState(g)); }

void AddressWrite(GadgetObject& g, TextView text) {
  int address = 0;
  if (ParseAddress(text, &address)) AddressWriteState(g, address);
}

PixelSize AddressSize(GadgetObject& g) {
  return FieldRequiredSize(MeasureText(HwndOf(g), u"000.000.000.000"), Edge(), 0);
}

int ShortcutState(GadgetObject& g) {
  auto key = static_cast<WORD>(Send(g, HKM_GETHOTKEY));
  int modifiers = HIBYTE(key);
  return LOBYTE(key) | (modifiers & HOTKEYF_SHIFT ? KV_Shortcut_Shift : 0) |
         (modifiers & HOTKEYF_CONTROL ? KV_Shortcut_Control : 0) |
         (modifiers & HOTKEYF_ALT ? KV_Shortcut_Alt : 0);
}

void ShortcutWriteState(GadgetObject& g, int shortcut) {
  BYTE modifiers = (shortcut & KV_Shortcut_Shift ? HOTKEYF_SHIFT : 0) |
                   (shortcut & KV_Shortcut_Control ? HOTKEYF_CONTROL : 0) |
                   (shortcut & KV_Shortcut_Alt ? HOTKEYF_ALT : 0);
  Send(g, HKM_SETHOTKEY, MAKEWORD(shortcut & 0xFF, modifiers));
}

PixelSize ShortcutSize(GadgetObject& g) {
  return FieldRequiredSize(MeasureText(HwndOf(g), u"Ctrl + Shift + F12"), Edge(), 0);
}

// ---- Links and images --------------------------------------------------------------

PixelSize LinkSize(GadgetObject& g) {
  return TextRequiredSize(MeasureText(HwndOf(g), WindowText(HwndOf(g))), false, Edge());
}

bool LinkHook(GadgetObject& g, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  if (message == WM_CTLCOLORSTATIC) {
    return PaintColors(g, reinterpret_cast<HDC>(wParam), COLOR_BTNFACE, result);
  }
  if (message != WM_COMMAND || HIWORD(wParam) != STN_CLICKED) return false;
  *result = 0;
  QueueGadgetEvent(g, ET_LEFT_CLICK);
  return true;
}

bool LinkProcedure(GadgetObject&, UINT message, WPARAM, LPARAM, LRESULT* result) {
  if (message != WM_SETCURSOR) return false;
  SetCursor(LoadCursorW(nullptr, IDC_HAND));
  *result = TRUE;
  return true;
}

void WriteImage(GadgetObject& g, Handle image) {
  bool button = g.kind->code == GK_BUTTONIMAGE;
  Send(g, button ? BM_SETIMAGE : STM_SETIMAGE, IMAGE_BITMAP, static_cast<LPARAM>(image));
}

PixelSize BitmapSize(GadgetObject& g) {
  bool button = g.kind->code == GK_BUTTONIMAGE;
  auto bitmap = reinterpret_cast<HBITMAP>(Send(g, button ? BM_GETIMAGE : STM_GETIMAGE,
                                               IMAGE_BITMAP));
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return {};
  return {info.bmWidth, info.bmHeight};
}

PixelSize ImageSize(GadgetObject& g) {
  PixelSize size = BitmapSize(g);
  bool framed = GetWindowLongW(HwndOf(g), GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME);
  if (framed) size = {size.width + 2 * Edge().width, size.height + 2 * Edge().height};
  return size;
}

PixelSize ButtonImageSize(GadgetObject& g) { return ButtonRequiredSize(BitmapSize(g), Edge()); }

bool ImageHook(GadgetObject& g, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  if (message != WM_COMMAND) return false;
  *result = 0;
  switch (HIWORD(wParam)) {
    case STN_CLICKED: QueueGadgetEvent(g, ET_LEFT_CLICK); break;  // also BN_CLICKED
    case STN_DBLCLK: QueueGadgetEvent(g, ET_LEFT_DOUBLE_CLICK); break;
    default: break;
  }
  return true;
}

}  // namespace

}  // namespace kv::win32

namespace kv::platform {

namespace {

constexpr GadgetKind kComboSlots{
    .code = GK_COMBOBOX,
    .readState = win32::ComboState,
    .writeState = win32::ComboSelect,
    .writeText = win32::ComboWriteText,
    .insertItem = win32::ComboInsert,
    .deleteItem = win32::ComboDelete,
    .clearItems = win32::ComboClear,
    .place = win32::ComboPlace,
    .itemCount = win32::Count,
    .readItemText = win32::ComboItemText,
    .writeItemText = win32::ComboWriteItemText,
    .writeItemData = win32::ComboWriteItemData,
    .readItemData = win32::ComboItemData,
    .requiredSize = win32::ComboSize,
};

}  // namespace

const KindRecord& ComboBoxRecord() {
  static const KindRecord record{
      .style = [](int flags) { return win32::ComboStyle(false, flags); },
      .hook = win32::ComboHook,
      .slots = kComboSlots,
  };
  return record;
}

// The folder-browsing combo box: the combo box with its own flags.
const KindRecord& ExplorerComboRecord() {
  static const KindRecord record{
      .style = [](int flags) { return win32::ComboStyle(true, flags); },
      .hook = win32::ComboHook,
      .slots = kComboSlots,
  };
  return record;
}

const KindRecord& DateRecord() {
  static const KindRecord record{
      .style = [](int) { return win32::ControlStyle{DATETIMEPICK_CLASSW, win32::kTabbed, 0}; },
      .hook = win32::DateHook,
      .slots = {
          .code = GK_DATE,
          .readState = win32::DateState,
          .writeState = win32::DateWriteState,
          .writeText = win32::DateWriteMask,
          .requiredSize = win32::DateSize,
      },
  };
  return record;
}

const KindRecord& CalendarRecord() {
  static const KindRecord record{
      .style =
          [](int flags) {
            return win32::ControlStyle{
                MONTHCAL_CLASSW,
                win32::kTabbed | (win32::HasFlag(flags, KV_Calendar_Borderless) ? 0u : WS_BORDER),
                0, false};
          },
      .hook = win32::DateHook,
      .slots = {
          .code = GK_CALENDAR,
          .readState = win32::CalendarState,
          .writeState = win32::CalendarWriteState,
          .requiredSize = win32::CalendarSize,
      },
  };
  return record;
}

const KindRecord& IpAddressRecord() {
  static const KindRecord record{
      .style = [](int) { return win32::ControlStyle{WC_IPADDRESSW, win32::kTabbed, 0}; },
      .slots = {
          .code = GK_IPADDRESS,
          .readState = win32::AddressState,
          .writeState = win32::AddressWriteState,
          .readText = win32::AddressRead,
          .writeText = win32::AddressWrite,
          .requiredSize = win32::AddressSize,
      },
  };
  return record;
}

const KindRecord& ShortcutRecord() {
  static const KindRecord record{
      .style =
          [](int) {
            return win32::ControlStyle{HOTKEY_CLASSW, win32::kTabbed, WS_EX_CLIENTEDGE};
          },
      .slots = {
          .code = GK_SHORTCUT,
          .readState = win32::ShortcutState,
          .writeState = win32::ShortcutWriteState,
          .requiredSize = win32::ShortcutSize,
      },
  };
  return record;
}

const KindRecord& HyperLinkRecord() {
  static const KindRecord record{
      .style =
          [](int) {
            return win32::ControlStyle{L"Static", win32::kChild | SS_NOTIFY | SS_NOPREFIX, 0,
                                       false};
          },
      .hasText = true,
      .hook = win32::LinkHook,
      .procedure = win32::LinkProcedure,
      .slots = {
          .code = GK_HYPERLINK,
          .release = win32::ReleaseColors,
          .showColor = win32::ShowColor,
          .requiredSize = win32::LinkSize,
      },
  };
  return record;
}

const KindRecord& ImageRecord() {
  static const KindRecord record{
      .style =
          [](int flags) {
            return win32::ControlStyle{
                L"Static", win32::kChild | SS_BITMAP | SS_NOTIFY,
                (win32::HasFlag(flags, KV_Image_Border) ? WS_EX_CLIENTEDGE : 0u) |
                    (win32::HasFlag(flags, KV_Image_Raised) ? WS_EX_DLGMODALFRAME : 0u),
                false};
          },
      .hook = win32::ImageHook,
      .slots = {
          .code = GK_IMAGE,
          .requiredSize = win32::ImageSize,
          .writeImage = win32::WriteImage,
      },
  };
  return record;
}

const KindRecord& ButtonImageRecord() {
  static const KindRecord record{
      .style =
          [](int flags) {
            return win32::ControlStyle{
                L"Button",
                win32::kTabbed | BS_BITMAP |
                    (win32::HasFlag(flags, KV_Button_Toggle) ? BS_AUTOCHECKBOX | BS_PUSHLIKE : 0u),
                0, false};
          },
      .hook = win32::ImageHook,
      .slots = {
          .code = GK_BUTTONIMAGE,
          .requiredSize = win32::ButtonImageSize,
          .writeImage = win32::WriteImage,
      },
  };
  return record;
}

// The drives, each as "C:\".
std::vector<Text> FileSystemRoots() {
  std::vector<Text> roots;
  wchar_t buffer[512] = {};
  DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(std::size(buffer)) - 1, buffer);
  if (length == 0 || length >= std::size(buffer)) return roots;
  for (const wchar_t* drive = buffer; *drive; drive += wcslen(drive) + 1) {
    roots.push_back(win32::FromWide(drive, wcslen(drive)));
  }
  return roots;
}

}  // namespace kv::platform

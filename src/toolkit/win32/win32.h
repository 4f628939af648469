// What the files of the Win32 backend share: handles and text at the platform
// boundary, the window procedure's translation, gadget lookup and the
// platform behaviour of each gadget kind beyond the core's slots.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "toolkit/platform.h"
#include "toolkit/reports.h"

namespace kv::win32 {

// The platform's window class of a kind's control and the style bits every
// gadget of the kind has.
struct ControlStyle {
  const wchar_t* name;
  DWORD style;
  DWORD exStyle;
  bool flagsAreStyle = true;  // else the flags are translated into style
};

}  // namespace kv::win32

namespace kv::platform {

// A Win32 kind: its control, its platform behaviour beyond the core's slots
// (empty members do nothing) and its slots.
struct KindRecord {
  win32::ControlStyle (*style)(int flags) = nullptr;  // from the creation flags
  bool hasText = false;  // the control's window text is the creation text
  // Windows made inside the new control with it; false fails the creation.
  bool (*makeParts)(HWND control) = nullptr;
  // Set-up after creation, before the control is subclassed.
  void (*attach)(GadgetObject&) = nullptr;
  // Notify, command, scroll and control-colour messages about the gadget;
  // false leaves them to the generic translation.
  bool (*hook)(GadgetObject&, UINT, WPARAM, LPARAM, LRESULT*) = nullptr;
  // The control's own messages, before its procedure; true swallows them.
  bool (*procedure)(GadgetObject&, UINT, WPARAM, LPARAM, LRESULT*) = nullptr;
  GadgetKind slots;
};

}  // namespace kv::platform

namespace kv::win32 {

using platform::KindRecord;

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 on both sides");

inline HWND Hwnd(Handle handle) { return reinterpret_cast<HWND>(handle); }
inline Handle HandleOf(HWND hwnd) { return reinterpret_cast<Handle>(hwnd); }

// A zero-terminated copy for the platform.
inline std::wstring Wide(TextView text) {
  return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}
inline Text FromWide(const wchar_t* text, size_t length) {
  return Text(reinterpret_cast<const char16_t*>(text), length);
}
Text WindowText(HWND hwnd);

HINSTANCE Instance();

// The marks on the backend's platform windows (window_tags.cpp), each a
// window property; 0 is none.
enum class Tag {
  WindowId,   // "KV_WindowID": number + 1 on a window
  Focus,      // "KV_Focus": the focused child while the window is inactive
  GadgetId,   // "KV_ID": number + 1 on a gadget control
  Page,       // "KV_Page": a panel page's record
  MouseDown,  // "KV_MouseDown": where a press on a list view began
};
void SetTag(HWND hwnd, Tag tag, std::intptr_t value);
std::intptr_t GetTag(HWND hwnd, Tag tag);
void RemoveTag(HWND hwnd, Tag tag);
// All of a window's marks, when it goes: its handle may be given out again.
void ForgetTags(HWND hwnd);
constexpr int kUnattachedId = -1;  // the id of controls not (or no longer) gadgets

// The toolkit window that hwnd is (or lies in) and its number; -1 if none.
int WindowNumberOfHwnd(HWND hwnd, HWND* window = nullptr);

// Translation of a window's (or a panel page's) messages into events.
// False leaves the message to the receiver's default processing.
bool TranslateWindowMessage(HWND receiver, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT* result);
LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Keyboard shortcuts of a window: Tab and Shift+Tab move the focus.
constexpr int kFocusNextCommand = 64001;
constexpr int kFocusPreviousCommand = 64002;
void CreateShortcuts(HWND window);
void DestroyShortcuts(HWND window);
void MoveFocus(HWND window, bool forward);
void ShowFocusCues(HWND window);

// A window's class goes when the window has gone.
void RetireWindowClass(HWND window);

// ---- Gadgets ------------------------------------------------------------------

// The live gadget whose control hwnd is: its KV_ID matches its control id.
GadgetObject* GadgetOfHwnd(HWND hwnd);
inline HWND HwndOf(const GadgetObject& gadget) { return Hwnd(gadget.handle); }

// What the backend keeps per gadget.
struct ControlData : GadgetData {
  WNDPROC previous = nullptr;  // the control's own procedure
  HBRUSH backBrush = nullptr;  // from the shared cache while a back colour is set
  COLORREF brushColor = 0;     // the colour backBrush is cached under
  int wordWrap = 0;            // editors
  HWND partner = nullptr;      // spin fields: the arrows beside the field
};
inline ControlData& DataOf(GadgetObject& gadget) {
  return static_cast<ControlData&>(*gadget.data);
}

// Style bits most controls have.
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kTabbed = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
// All of flag's bits are set in flags.
inline bool HasFlag(int flags, int flag) { return (flags & flag) == flag; }

// The events of the lists' and trees' common notifications.
bool ItemListNotification(GadgetObject& gadget, const NMHDR& header);
// Fields and editors report their focus messages as ET_FOCUS and ET_LOST_FOCUS.
bool FocusProcedure(GadgetObject& gadget, UINT message, WPARAM, LPARAM, LRESULT*);

// The rich edit class of the newest library that loads.
const wchar_t* RichEditClass();

// Visual styles: the common controls of version 6 with a theme active.
bool VisualStyles();

HFONT GadgetFont();
void ReleaseGadgetFont();
void DestroyTips();
// The tip of a control, which is given up: its control is going.
Text TakeTip(HWND control);

// Colours: a gadget's own colours for a control-colour message, with
// defaultColor (a system colour index) as background when only the front
// colour is set. False when neither is set.
bool PaintColors(GadgetObject& gadget, HDC dc, int defaultColor, LRESULT* result);
void ShowColor(GadgetObject& gadget, int which);
void ReleaseColors(GadgetObject& gadget);
// The shared cache: one solid brush per colour, counted.
HBRUSH AcquireBrush(COLORREF color);
void ReleaseBrush(COLORREF color);

// Window classes of our own for gadgets that hold gadgets.
constexpr wchar_t kContainerClass[] = L"KvContainer";
constexpr wchar_t kCanvasClass[] = L"KvCanvas";
constexpr wchar_t kScrollAreaClass[] = L"KvScrollArea";
constexpr wchar_t kScrollAreaChildClass[] = L"KvScrollAreaChild";
constexpr wchar_t kSplitterClass[] = L"KvSplitter";
void RegisterContainerClasses();
LRESULT CALLBACK ScrollAreaProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SplitterProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Messages of the gadgets inside go to the window procedure, as a page's do.
LRESULT CALLBACK ForwardToWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Text extents in the control's font, in pixels.
PixelSize MeasureText(HWND control, TextView text);

}  // namespace kv::win32

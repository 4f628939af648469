// Editors on the rich edit control. Lines are the items; the core keeps
// them over the editing primitives at the end of this file (editor_lines.cpp
// there).
#include "win32.h"

#include <richedit.h>
#include <uxtheme.h>
#include <vsstyle.h>

namespace kv::win32 {

namespace {

constexpr DWORD kNoTables = 4;       // extended edit style: no table insertion

LRESULT Send(GadgetObject& g, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(HwndOf(g), message, wParam, lParam);
}

Text ReadText(GadgetObject& g) { return WindowText(HwndOf(g)); }

// UTF-8 through the platform's set-text-ex, which reads RTF as rich text.
void WriteText(GadgetObject& g, TextView text) {
  SendMessageW(HwndOf(g), WM_HSCROLL, SB_LEFT, 0);
  if (text == u"\r\n") {
    SetWindowTextW(HwndOf(g), L"\r\n");
    return;
  }
  std::string utf8 = EncodeUtf8(text);
  SETTEXTEX how{ST_DEFAULT, CP_UTF8};
  Send(g, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(utf8.c_str()));
}

int ReadAttribute(GadgetObject& g, int attribute) {
  if (attribute == KV_Editor_ReadOnly) {
    return static_cast<int>(Send(g, EM_GETOPTIONS) & ECO_READONLY);
  }
  if (attribute == KV_Editor_WordWrap) return DataOf(g).wordWrap;
  return 0;
}

void SetWordWrap(GadgetObject& g, int value) {
  DataOf(g).wordWrap = value;
  Send(g, EM_SETTARGETDEVICE, 0, value == 1 ? 0 : 1);  // line width 0: the window's
}

void WriteAttribute(GadgetObject& g, int attribute, int value) {
  if (attribute == KV_Editor_ReadOnly) Send(g, EM_SETREADONLY, value != 0);
  if (attribute == KV_Editor_WordWrap) SetWordWrap(g, value);
}

void ApplyFrontColor(GadgetObject& g) {
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_COLOR;
  int color = g.frontColor;
  if (color == -1) {
    format.dwEffects = CFE_AUTOCOLOR;
  } else {
    format.crTextColor = static_cast<COLORREF>(color);
  }
  Send(g, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  Send(g, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}

void ShowEditorColor(GadgetObject& g, int which) {
  if (which == KV_FrontColor) {
    ApplyFrontColor(g);
  } else {
    int color = g.backColor;
    Send(g, EM_SETBKGNDCOLOR, color == -1, static_cast<LPARAM>(color == -1 ? 0 : color));
  }
}

// Detaches the control from its gadget without destroying it.
void Detach(GadgetObject& g, HWND hwnd) {
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DataOf(g).previous));
  RemoveTag(hwnd, Tag::GadgetId);
  SetWindowLongPtrW(hwnd, GWLP_ID, kUnattachedId);
}

// Emptying a rich edit control costs the square of its lines (under Wine 18 s
// at 11,000 lines, whichever message does it), while a new control in its
// place costs nothing: one with the old one's style, place, order among its
// siblings, focus, colours, wrapping and tip takes over the gadget. An empty
// control stays: making one took up to 35 ms under Wine.
void ClearItems(GadgetObject& g) {
  if (platform::EditorTextLength(g.handle) == 0) return;
  HWND old = HwndOf(g);
  HWND parent = GetParent(old);
  RECT rect{};
  GetWindowRect(old, &rect);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  HWND fresh = CreateWindowExW(
      static_cast<DWORD>(GetWindowLongW(old, GWL_EXSTYLE)), RichEditClass(), L"",
      static_cast<DWORD>(GetWindowLongW(old, GWL_STYLE)), rect.left, rect.top,
      rect.right - rect.left, rect.bottom - rect.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kUnattachedId)), Instance(), nullptr);
  if (!fresh) {
    platform::EditorReplace(g.handle, 0, platform::EditorTextLength(g.handle), u"");
    return;
  }
  bool focused = GetFocus() == old;
  int wordWrap = DataOf(g).wordWrap;
  Text tip = TakeTip(old);
  SetWindowPos(fresh, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Detach(g, old);
  g.handle = HandleOf(fresh);
  platform::AttachGadget(g);
  SetWordWrap(g, wordWrap);
  if (g.frontColor != -1) ShowEditorColor(g, KV_FrontColor);
  if (g.backColor != -1) ShowEditorColor(g, KV_BackColor);
  if (!tip.empty()) platform::SetTip(g.handle, tip);
  if (focused) SetFocus(fresh);
  DestroyWindow(old);
}

// Created with events suspended, so that setting it up raises none.
void Attach(GadgetObject& g) {
  SuspendEvents();
  Send(g, EM_EXLIMITTEXT, 0, -1);
  SetWindowPos(HwndOf(g), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Send(g, EM_SETEVENTMASK, 0, Send(g, EM_GETEVENTMASK) | ENM_CHANGE);
  if (std::wstring_view(RichEditClass()) == MSFTEDIT_CLASS) {
    Send(g, EM_SETEDITSTYLEEX, kNoTables, kNoTables);
  }
  // The flag is the visible bit of the style, so only the creation flags tell.
  if (g.flags & KV_Editor_WordWrap) SetWordWrap(g, 1);
  ResumeEvents();
}

// Without a client edge under visual styles, the border is the theme's: one
// pixel kept around the client area and painted with the edit theme part.
bool Procedure(GadgetObject& g, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  bool frame = message == WM_NCCALCSIZE || message == WM_NCPAINT;
  if (!frame || !VisualStyles()) return FocusProcedure(g, message, wParam, lParam, result);
  HWND hwnd = HwndOf(g);
  *result = CallWindowProcW(DataOf(g).previous, hwnd, message, wParam, lParam);
  if (message == WM_NCCALCSIZE) {
    RECT* client = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                          : reinterpret_cast<RECT*>(lParam);
    InflateRect(client, -1, -1);
    return true;
  }
  HTHEME theme = OpenThemeData(hwnd, L"Edit");
  if (!theme) return true;
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  OffsetRect(&rect, -rect.left, -rect.top);
  HDC dc = GetWindowDC(hwnd);
  int state = IsWindowEnabled(hwnd) ? ETS_NORMAL : ETS_DISABLED;
  RECT inside = rect;
  InflateRect(&inside, -1, -1);
  ExcludeClipRect(dc, inside.left, inside.top, inside.right, inside.bottom);
  DrawThemeBackground(theme, dc, EP_EDITTEXT, state, &rect, nullptr);
  ReleaseDC(hwnd, dc);
  CloseThemeData(theme);
  return true;
}

}  // namespace

const wchar_t* RichEditClass() {
  static const wchar_t* const name = [] {
    if (LoadLibraryW(L"MSFTEDIT.DLL")) {
      LoadLibraryW(L"RICHED20.DLL");
      return MSFTEDIT_CLASS;
    }
    if (LoadLibraryW(L"RICHED20.DLL")) return RICHEDIT_CLASSW;
    LoadLibraryW(L"RICHED32.DLL");
    return L"RichEdit";
  }();
  return name;
}

}  // namespace kv::win32

namespace kv::platform {

namespace {

LRESULT Send(Handle editor, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(win32::Hwnd(editor), message, wParam, lParam);
}

}  // namespace

const KindRecord& EditorRecord() {
  static const KindRecord record{
      .style =
          [](int) {
            return win32::ControlStyle{win32::RichEditClass(), 0x503111C4,
                                       win32::VisualStyles() ? 0u : WS_EX_CLIENTEDGE};
          },
      .attach = win32::Attach,
      .procedure = win32::Procedure,
      .slots = {
          .code = GK_EDITOR,
          .readText = win32::ReadText,
          .writeText = win32::WriteText,
          .clearItems = win32::ClearItems,
          .readAttribute = win32::ReadAttribute,
          .writeAttribute = win32::WriteAttribute,
          .showColor = win32::ShowEditorColor,
      },
  };
  return record;
}

int EditorTextLength(Handle editor) {
  GETTEXTLENGTHEX query{GTL_NUMCHARS | GTL_PRECISE, 1200};
  return static_cast<int>(Send(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query)));
}

int EditorLineCount(Handle editor) { return static_cast<int>(Send(editor, EM_GETLINECOUNT)); }

int EditorLineStart(Handle editor, int line) {
  return static_cast<int>(Send(editor, EM_LINEINDEX, static_cast<WPARAM>(line)));
}

int EditorLineLength(Handle editor, int start) {
  return static_cast<int>(Send(editor, EM_LINELENGTH, static_cast<WPARAM>(start)));
}

Text EditorLineText(Handle editor, int line) {
  int length = EditorLineLength(editor, EditorLineStart(editor, line));
  std::wstring buffer(static_cast<size_t>(length) + 2, L'\0');
  *reinterpret_cast<WORD*>(buffer.data()) = static_cast<WORD>(buffer.size());
  auto copied = static_cast<size_t>(Send(editor, EM_GETLINE, static_cast<WPARAM>(line),
                                         reinterpret_cast<LPARAM>(buffer.data())));
  buffer.resize(std::min(copied, buffer.size()));
  while (!buffer.empty() && (buffer.back() == L'\r' || buffer.back() == L'\n')) buffer.pop_back();
  return win32::FromWide(buffer.data(), buffer.size());
}

// With the selection hidden while it moves.
void EditorReplace(Handle editor, int from, int to, TextView text) {
  std::wstring wide = win32::Wide(text);
  Send(editor, EM_HIDESELECTION, TRUE);
  Send(editor, EM_SETSEL, static_cast<WPARAM>(from), to);
  Send(editor, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
  Send(editor, EM_HIDESELECTION, FALSE);
}

void EditorShowStart(Handle editor) {
  Send(editor, EM_SETSEL, 0, 0);
  Send(editor, WM_VSCROLL, SB_TOP, 0);
}

}  // namespace kv::platform

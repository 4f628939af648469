// Editors on the rich edit control. Lines are the items, and the toolkit's
// empty-line state sits on top of the control's text:
//   0  nothing special;
//   1  an empty first line was added to an empty editor, which holds no
//      text but counts one line;
//   2  that line has been made real by the next added line.
#include "win32.h"

#include <richedit.h>
#include <uxtheme.h>
#include <vsstyle.h>

namespace kv::win32 {

namespace {

constexpr wchar_t kBreak[] = L"\r";  // the control's line break
constexpr DWORD kNoTables = 4;       // extended edit style: no table insertion

LRESULT Send(GadgetObject& g, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(HwndOf(g), message, wParam, lParam);
}

int TextLength(GadgetObject& g) {
  GETTEXTLENGTHEX query{GTL_NUMCHARS | GTL_PRECISE, 1200};
  return static_cast<int>(Send(g, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query)));
}

int LineCount(GadgetObject& g) { return static_cast<int>(Send(g, EM_GETLINECOUNT)); }

// Offset of the line's first character, or -1 when there is no such line.
int LineStart(GadgetObject& g, int line) {
  if (line < 0 || line >= LineCount(g)) return -1;
  return static_cast<int>(Send(g, EM_LINEINDEX, static_cast<WPARAM>(line)));
}

int LineLength(GadgetObject& g, int start) {
  return static_cast<int>(Send(g, EM_LINELENGTH, static_cast<WPARAM>(start)));
}

void Replace(GadgetObject& g, int from, int to, const std::wstring& text) {
  Send(g, EM_SETSEL, static_cast<WPARAM>(from), to);
  Send(g, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

int ItemCount(GadgetObject& g) {
  return TextLength(g) == 0 && DataOf(g).emptyLines == 0 ? 0 : LineCount(g);
}

int InsertItem(GadgetObject& g, int position, TextView text) {
  std::wstring line = Wide(text);
  int& emptyLines = DataOf(g).emptyLines;
  Send(g, EM_HIDESELECTION, TRUE);
  if (position >= 0 && ItemCount(g) == 0) position = -1;  // appending needs no count
  int start = LineStart(g, position);
  if (start >= 0) {
    Replace(g, start, start, line + kBreak);
  } else {
    int end = TextLength(g);
    Send(g, EM_SETSEL, static_cast<WPARAM>(end), end);
    std::wstring added;
    if (emptyLines == 1) {
      added += kBreak;
      emptyLines = 2;
    }
    if (end > 0) {
      added += kBreak;
    } else if (line.empty() && emptyLines == 0) {
      emptyLines = 1;
    }
    Replace(g, end, end, added + line);
  }
  Send(g, EM_HIDESELECTION, FALSE);
  return 0;
}

// One replacement for all lines: the control lays out and scrolls its text
// once instead of once a line. Breaks and the empty-line state as InsertItem.
void AppendItems(GadgetObject& g, std::span<const Text> texts) {
  int& emptyLines = DataOf(g).emptyLines;
  int end = TextLength(g);
  std::wstring added;
  for (const Text& text : texts) {
    bool hadText = end > 0 || !added.empty();
    if (emptyLines == 1) {
      added += kBreak;
      emptyLines = 2;
    }
    if (hadText) {
      added += kBreak;
    } else if (text.empty() && emptyLines == 0) {
      emptyLines = 1;
    }
    added += Wide(text);
  }
  Send(g, EM_HIDESELECTION, TRUE);
  Replace(g, end, end, added);
  Send(g, EM_HIDESELECTION, FALSE);
}

// The line goes with its break: the one after it, or before the last line.
void DeleteItem(GadgetObject& g, int line) {
  int start = LineStart(g, line);
  if (start < 0) return;
  int length = LineLength(g, start);
  if (line + 1 < LineCount(g)) {
    Replace(g, start, start + length + 1, L"");
  } else {
    Replace(g, start > 0 ? start - 1 : 0, start + length, L"");
  }
  if (TextLength(g) == 0) DataOf(g).emptyLines = 0;
}

void ClearItems(GadgetObject& g) {
  SetWindowTextW(HwndOf(g), L"");
  DataOf(g).emptyLines = 0;
}

Text ReadItemText(GadgetObject& g, int line, int) {
  int start = LineStart(g, line);
  if (start < 0) return {};
  int length = LineLength(g, start);
  std::wstring buffer(static_cast<size_t>(length) + 2, L'\0');
  *reinterpret_cast<WORD*>(buffer.data()) = static_cast<WORD>(buffer.size());
  auto copied = static_cast<size_t>(Send(g, EM_GETLINE, static_cast<WPARAM>(line),
                                         reinterpret_cast<LPARAM>(buffer.data())));
  buffer.resize(std::min(copied, buffer.size()));
  while (!buffer.empty() && (buffer.back() == L'\r' || buffer.back() == L'\n')) buffer.pop_back();
  return FromWide(buffer.data(), buffer.size());
}

int WriteItemText(GadgetObject& g, int line, TextView text, int) {
  int start = LineStart(g, line);
  if (start >= 0) Replace(g, start, start + LineLength(g, start), Wide(text));
  return 0;
}

Text ReadText(GadgetObject& g) { return WindowText(HwndOf(g)); }

// UTF-8 through the platform's set-text-ex, which reads RTF as rich text.
void WriteText(GadgetObject& g, TextView text) {
  if (text.empty()) return ClearItems(g);
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
  int color = DataOf(g).frontColor;
  if (color == -1) {
    format.dwEffects = CFE_AUTOCOLOR;
  } else {
    format.crTextColor = static_cast<COLORREF>(color);
  }
  Send(g, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  Send(g, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}

void WriteEditorColor(GadgetObject& g, int which, int color) {
  if (which == KV_FrontColor) {
    DataOf(g).frontColor = color;
    ApplyFrontColor(g);
  } else if (which == KV_BackColor) {
    DataOf(g).backColor = color;
    Send(g, EM_SETBKGNDCOLOR, color == -1, static_cast<LPARAM>(color == -1 ? 0 : color));
  }
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
  if (GetWindowLongW(HwndOf(g), GWL_STYLE) & KV_Editor_WordWrap) SetWordWrap(g, 1);
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

const GadgetKind& EditorKind() {
  static const GadgetKind kind{
      .code = GK_EDITOR,
      .readText = ReadText,
      .writeText = WriteText,
      .insertItem = InsertItem,
      .appendItems = AppendItems,
      .deleteItem = DeleteItem,
      .clearItems = ClearItems,
      .itemCount = ItemCount,
      .readItemText = ReadItemText,
      .writeItemText = WriteItemText,
      .readAttribute = ReadAttribute,
      .writeAttribute = WriteAttribute,
      .writeColor = WriteEditorColor,
      .readColor = ReadColor,
  };
  return kind;
}

const KindBehaviour kEditorBehaviour{.attach = Attach, .procedure = Procedure};

}  // namespace kv::win32

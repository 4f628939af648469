// What only the real platform has: keyboard and mouse messages through the
// toolkit's wait, the close box, size events from the window manager, focus
// keys, modal requesters answered from another thread, the clipboard, text
// measured in real fonts, and events posted from other threads.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "toolkit/win32/post_event.h"
#include "toolkit_fixture.h"
#include "user.h"

using namespace kv;
using namespace kv::test;

namespace {

using Clock = std::chrono::steady_clock;

HWND Hwnd(Handle handle) { return reinterpret_cast<HWND>(handle); }

class Win32 : public ToolkitTest {
 protected:
  HWND Window() const { return Hwnd(GetWindowHandle(window)); }

  // Every event until nothing more arrives for a while, through the wait
  // the program's loop uses; platform messages (type -1) are passed over.
  static std::vector<SeenEvent> Collect() {
    constexpr int kQuietMs = 50;
    std::vector<SeenEvent> seen;
    for (int code; (code = WaitForEvent(kQuietMs)) != 0;) {
      if (CurrentEventType() == -1) continue;
      seen.push_back({code, CurrentEventWindow(), CurrentEventObject(), CurrentEventType()});
    }
    return seen;
  }

  static std::vector<int> Codes(const std::vector<SeenEvent>& events, std::vector<int> wanted) {
    std::vector<int> codes;
    for (const SeenEvent& e : events) {
      if (std::find(wanted.begin(), wanted.end(), e.code) != wanted.end()) codes.push_back(e.code);
    }
    return codes;
  }

  static void PostKey(HWND target, WPARAM key) {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
  }

  static void SetShift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  }
};

// ---- Events through the wait ------------------------------------------------------

TEST_F(Win32, TypedKeysGiveUpdateThenChangePerCharacter) {
  int field = static_cast<int>(NewStringField(KV_Any, 10, 10, 150, 22, u""));
  HWND hwnd = Hwnd(GetGadgetHandle(field));
  SetFocus(hwnd);
  Collect();
  PostKey(hwnd, 'A');  // translated into its character by the wait
  PostKey(hwnd, 'B');
  std::vector<int> types;
  for (const SeenEvent& e : Collect()) {
    if (e.code == EV_GADGET && e.object == field) types.push_back(e.type);
  }
  EXPECT_EQ(ReadGadgetText(field), u"ab");
  EXPECT_EQ(types, (std::vector<int>{1024, ET_CHANGE, 1024, ET_CHANGE}));
}

TEST_F(Win32, FocusChangesOfAFieldGiveBothEventKinds) {
  int first = static_cast<int>(NewStringField(KV_Any, 10, 10, 150, 22, u""));
  int second = static_cast<int>(NewStringField(KV_Any, 10, 40, 150, 22, u""));
  SetFocus(Hwnd(GetGadgetHandle(first)));
  Collect();
  SetFocus(Hwnd(GetGadgetHandle(second)));
  EXPECT_EQ(Collect(), (std::vector<SeenEvent>{{EV_GADGET, window, first, ET_LOST_FOCUS},
                                               {EV_GADGET, window, first, 512},
                                               {EV_GADGET, window, second, ET_FOCUS},
                                               {EV_GADGET, window, second, 256}}));
}

TEST_F(Win32, WaitingReturnsAtOnceOrAfterItsTimeOut) {
  Collect();
  auto start = Clock::now();
  EXPECT_EQ(WaitForEvent(0), 0);
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(20));
  start = Clock::now();
  EXPECT_EQ(WaitForEvent(1), 0);
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(100));
}

TEST_F(Win32, ADispatchedMessageComesBeforeItsEvent) {
  Collect();
  PostMessageW(Window(), WM_CLOSE, 0, 0);
  int code = 0;
  for (int i = 0; i < 20 && code != WM_CLOSE; ++i) code = WaitForEvent(100);
  ASSERT_EQ(code, WM_CLOSE);
  EXPECT_EQ(WaitForEvent(0), EV_CLOSE);
  EXPECT_EQ(CurrentEventObject(), window);
}

// ---- Windows ----------------------------------------------------------------------

TEST_F(Win32, TheCloseBoxGivesCloseAndTheWindowStays) {
  HWND hwnd = Window();
  SetForegroundWindow(hwnd);
  Collect();
  RECT frame;
  GetWindowRect(hwnd, &frame);
  POINT box{0, 0};
  for (int x = frame.right - 1; x > frame.left && !box.x; --x) {
    for (int y = frame.top; y < frame.top + 40 && !box.x; ++y) {
      if (SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) box = {x - 3, y + 3};
    }
  }
  ASSERT_NE(box.x, 0) << "no close box found";
  SetCursorPos(box.x, box.y);
  INPUT clicks[2] = {};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ASSERT_EQ(SendInput(2, clicks, sizeof(INPUT)), 2u);
  std::vector<SeenEvent> seen = Collect();
  EXPECT_EQ(Codes(seen, {EV_CLOSE}), (std::vector<int>{EV_CLOSE}));
  for (const SeenEvent& e : seen) {
    if (e.code == EV_CLOSE) {
      EXPECT_EQ(e.object, window);
    }
  }
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_TRUE(IsWindowVisible(hwnd));
}

TEST_F(Win32, SizeEventsFollowTheWindowsState) {
  HWND hwnd = Window();
  Collect();
  for (int width : {420, 440, 460}) {
    SetWindowPos(hwnd, nullptr, 0, 0, width, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  std::vector<int> sizes{EV_SIZE, EV_MAXIMIZE, EV_MINIMIZE, EV_RESTORE};
  EXPECT_EQ(Codes(Collect(), sizes), (std::vector<int>{EV_SIZE})) << "only the newest size counts";

  ShowWindow(hwnd, SW_MAXIMIZE);
  EXPECT_EQ(Codes(Collect(), sizes), (std::vector<int>{EV_MAXIMIZE, EV_SIZE}));
  ShowWindow(hwnd, SW_RESTORE);
  EXPECT_EQ(Codes(Collect(), sizes), (std::vector<int>{EV_RESTORE, EV_SIZE}));
  ShowWindow(hwnd, SW_MINIMIZE);
  EXPECT_EQ(Codes(Collect(), sizes), (std::vector<int>{EV_MINIMIZE}));
  ShowWindow(hwnd, SW_RESTORE);
  EXPECT_EQ(Codes(Collect(), sizes), (std::vector<int>{EV_RESTORE, EV_SIZE}));
}

TEST_F(Win32, EachWindowHasItsOwnClassAndNumberMark) {
  HWND hwnd = Window();
  std::wstring className = L"WindowClass_" + std::to_wstring(window);
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  EXPECT_EQ(std::wstring(name), className);
  EXPECT_EQ(reinterpret_cast<std::intptr_t>(GetPropW(hwnd, L"KV_WindowID")), window + 1);
  DisposeWindow(window);
  WNDCLASSEXW info{sizeof info};
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(GetClassInfoExW(GetModuleHandleW(nullptr), className.c_str(), &info))
      << "the class went with its window";
}

TEST_F(Win32, SizeLimitsHoldTheWindow) {
  SetWindowSizeLimits(window, 200, 150, 500, 400);
  HWND hwnd = Window();
  SetWindowPos(hwnd, nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(GetWindowInnerWidth(window), 200);
  EXPECT_EQ(GetWindowInnerHeight(window), 150);
  PlaceWindow(window, KEEP_CURRENT, KEEP_CURRENT, 900, 900);
  EXPECT_EQ(GetWindowInnerWidth(window), 500);
  EXPECT_EQ(GetWindowInnerHeight(window), 400);
}

TEST_F(Win32, ActivationGivesTheFocusBackToItsControl) {
  HWND field = Hwnd(GetGadgetHandle(static_cast<int>(NewStringField(KV_Any, 10, 10, 150, 22, u""))));
  SetActiveWindow(Window());
  SetFocus(field);
  Collect();
  int other = static_cast<int>(NewWindow(KV_Any, 60, 60, 200, 100, u"Other", KV_Window_SystemMenu));
  ASSERT_EQ(GetActiveWindow(), Hwnd(GetWindowHandle(other)));
  Collect();
  EXPECT_NE(GetFocus(), field);
  SetActiveWindow(Window());
  std::vector<SeenEvent> seen = Collect();
  EXPECT_EQ(GetFocus(), field);
  EXPECT_NE(std::find(seen.begin(), seen.end(), SeenEvent{EV_DEACTIVATE, other, 0, 0}), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), SeenEvent{EV_ACTIVATE, window, 0, 0}), seen.end());
}

// ---- Focus keys -------------------------------------------------------------------

TEST_F(Win32, TabAndShiftTabMoveTheFocusAndWrap) {
  HWND fields[3];
  for (int i = 0; i < 3; ++i) {
    int field = static_cast<int>(NewStringField(KV_Any, 10, 10 + 30 * i, 150, 22, u""));
    fields[i] = Hwnd(GetGadgetHandle(field));
  }
  SetActiveWindow(Window());
  SetFocus(fields[0]);
  Collect();
  for (int step : {1, 2, 0}) {
    PostKey(GetFocus(), VK_TAB);
    Collect();
    EXPECT_EQ(GetFocus(), fields[step]);
  }
  SetShift(true);
  PostKey(GetFocus(), VK_TAB);
  Collect();
  SetShift(false);
  EXPECT_EQ(GetFocus(), fields[2]) << "Shift+Tab before the first wraps to the last";
  for (HWND field : fields) EXPECT_EQ(GetWindowTextLengthW(field), 0) << "Tab is no input";
}

TEST_F(Win32, TabStaysInAnEditableRichEditAndLeavesAReadOnlyOne) {
  int editable = static_cast<int>(NewEditor(KV_Any, 10, 10, 200, 80));
  int readOnly = static_cast<int>(NewEditor(KV_Any, 10, 100, 200, 80, KV_Editor_ReadOnly));
  HWND first = Hwnd(GetGadgetHandle(editable));
  HWND second = Hwnd(GetGadgetHandle(readOnly));
  SetActiveWindow(Window());
  SetFocus(first);
  Collect();
  PostKey(first, VK_TAB);
  Collect();
  EXPECT_EQ(GetFocus(), first);
  EXPECT_EQ(ReadGadgetText(editable), u"\t");
  SetFocus(second);
  PostKey(second, VK_TAB);
  Collect();
  EXPECT_EQ(GetFocus(), first);
}

TEST_F(Win32, OnlyAWordWrapEditorBreaksALongLine) {
  std::wstring words;
  for (int i = 0; i < 40; ++i) words += L"word ";
  auto displayedLines = [&](int flags) {
    int editor = static_cast<int>(NewEditor(KV_Any, 10, 10, 120, 200, flags));
    HWND hwnd = Hwnd(GetGadgetHandle(editor));
    SetWindowTextW(hwnd, words.c_str());
    return SendMessageW(hwnd, EM_GETLINECOUNT, 0, 0);
  };
  EXPECT_EQ(displayedLines(0), 1);
  EXPECT_GT(displayedLines(KV_Editor_WordWrap), 3);
}

// ---- Requesters -------------------------------------------------------------------

// Answers the message box titled title with a button once it shows.
std::thread Answer(const wchar_t* title, int button) {
  return std::thread([title, button] {
    for (int i = 0; i < 500; ++i) {
      if (HWND box = FindWindowW(L"#32770", title)) {
        PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });
}

TEST_F(Win32, MessageBoxAnsweredYesAndNo) {
  std::thread yes = Answer(L"Confirm", IDYES);
  EXPECT_EQ(ShowMessageBox(u"Confirm", u"Disable the package?", 0x34), 6);
  yes.join();
  std::thread no = Answer(L"Confirm", IDNO);
  EXPECT_EQ(ShowMessageBox(u"Confirm", u"Disable the package?", 0x34), 7);
  no.join();
}

TEST_F(Win32, ACancelledFileRequesterRestoresEveryWindow) {
  HWND main = Window();
  int otherNumber = static_cast<int>(NewWindow(KV_Any, 50, 50, 200, 100, u"Other", KV_Window_NoActivate));
  int lockedNumber = static_cast<int>(NewWindow(KV_Any, 80, 80, 200, 100, u"Locked", KV_Window_NoActivate));
  int topNumber = static_cast<int>(NewWindow(KV_Any, 110, 110, 200, 100, u"Top", KV_Window_NoActivate));
  HWND otherWindow = Hwnd(GetWindowHandle(otherNumber));
  HWND locked = Hwnd(GetWindowHandle(lockedNumber));
  HWND top = Hwnd(GetWindowHandle(topNumber));
  EnableWindow(locked, FALSE);
  SetWindowPos(top, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetForegroundWindow(main);
  Collect();
  ASSERT_EQ(GetForegroundWindow(), main);

  std::atomic<bool> otherWasDisabled = false;
  std::atomic<bool> topWasLowered = false;
  std::thread cancel([&] {
    for (int i = 0; i < 500; ++i) {
      HWND dialog = FindWindowW(L"#32770", L"Find ADB");
      if (dialog && IsWindowVisible(dialog)) {
        otherWasDisabled = !IsWindowEnabled(otherWindow);
        topWasLowered = !(GetWindowLongW(top, GWL_EXSTYLE) & WS_EX_TOPMOST);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });
  EXPECT_EQ(AskFileToOpen(u"Find ADB", u"C:\\windows\\ADB.exe", u"ADB.exe|*.exe;", 0), u"");
  cancel.join();
  EXPECT_TRUE(otherWasDisabled);
  EXPECT_TRUE(topWasLowered);
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_TRUE(IsWindowEnabled(otherWindow));
  EXPECT_FALSE(IsWindowEnabled(locked)) << "a window disabled before stays disabled";
  EXPECT_TRUE(GetWindowLongW(top, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// ---- Clipboard --------------------------------------------------------------------

TEST_F(Win32, ClipboardTakesUnicodeTextAndFailsWhileHeld) {
  const char16_t* text = u"Gr\u00FC\u00DFe \u2713 \u65E5\u672C\r\ncom.a\r\n";
  ASSERT_NE(EmptyClipboardContents(), 0);
  ASSERT_NE(PutClipboardText(text), 0);
  EXPECT_EQ(user::ClipboardText(), text);

  std::atomic<bool> holding = false;
  std::atomic<bool> release = false;
  // Another program: its own thread and window.
  std::thread holder([&] {
    HWND owner = CreateWindowExW(0, L"Static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 nullptr, nullptr);
    holding = OpenClipboard(owner) != FALSE;
    while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (holding) CloseClipboard();
    DestroyWindow(owner);
  });
  while (!holding) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(PutClipboardText(u"other"), 0);
  EXPECT_EQ(EmptyClipboardContents(), 0);
  release = true;
  holder.join();
  EXPECT_EQ(user::ClipboardText(), text) << "unchanged while another held it";
}

// ---- Gadgets on real controls -----------------------------------------------------

TEST_F(Win32, AButtonMeasuresItsTextInItsFont) {
  int button = static_cast<int>(NewButton(KV_Any, 0, 0, 0, 0, u"Reload"));
  HWND hwnd = Hwnd(GetGadgetHandle(button));
  HDC dc = GetDC(hwnd);
  SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
  SIZE text{};
  GetTextExtentPoint32W(dc, L"Reload", 6, &text);
  ReleaseDC(hwnd, dc);
  int edgeWidth = GetSystemMetrics(SM_CXEDGE);
  int edgeHeight = GetSystemMetrics(SM_CYEDGE);
  int width = text.cx + ToPixelsX(2 * edgeWidth + 10);
  int height = text.cy + ToPixelsY(2 * edgeHeight);
  if (height >= ToPixelsY(18) && height < ToPixelsY(24)) {
    height = std::min(static_cast<int>(height * 1.2699999809265137), ToPixelsY(24));
  }
  GadgetSize measured = MeasureGadget(button);
  EXPECT_EQ(measured.width, FromPixelsX(width));
  EXPECT_EQ(measured.height, FromPixelsY(height));
  EXPECT_GT(text.cx, 0);
}

TEST_F(Win32, GadgetsCarryTheirNumberAndSharedColourBrushes) {
  int first = static_cast<int>(NewTextLabel(KV_Any, 0, 0, 80, 20, u"One"));
  int second = static_cast<int>(NewTextLabel(KV_Any, 0, 30, 80, 20, u"Two"));
  HWND label = Hwnd(GetGadgetHandle(first));
  EXPECT_EQ(GetWindowLongPtrW(label, GWLP_ID), first);
  EXPECT_EQ(reinterpret_cast<std::intptr_t>(GetPropW(label, L"KV_ID")), first + 1);

  auto brushOf = [this](int gadget) {
    HWND control = Hwnd(GetGadgetHandle(gadget));
    HDC dc = GetDC(control);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(Window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(control)));
    ReleaseDC(control, dc);
    return brush;
  };
  WriteGadgetColor(first, KV_BackColor, 0x00FFEECC);
  WriteGadgetColor(second, KV_BackColor, 0x00FFEECC);
  HBRUSH shared = brushOf(first);
  EXPECT_EQ(brushOf(second), shared);
  LOGBRUSH look{};
  ASSERT_NE(GetObjectW(shared, sizeof look, &look), 0);
  EXPECT_EQ(look.lbColor, 0x00FFEECCu);
  DisposeGadget(first);
  EXPECT_NE(GetObjectType(shared), 0u) << "still used by the second label";
  DisposeGadget(second);
  EXPECT_EQ(GetObjectType(shared), 0u) << "deleted with its last user";
}

BOOL CALLBACK FindTooltip(HWND hwnd, LPARAM lParam) {
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  if (std::wstring_view(name) != TOOLTIPS_CLASSW) return TRUE;
  *reinterpret_cast<HWND*>(lParam) = hwnd;
  return FALSE;
}

TEST_F(Win32, ATipIsOneToolOfTheThreadsTooltip) {
  int button = static_cast<int>(NewButton(KV_Any, 10, 10, 80, 24, u"Reload"));
  SetGadgetTip(button, u"First");
  SetGadgetTip(button, u"Reload all data on all tabs");
  HWND tips = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&tips));
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
  wchar_t text[80] = {};
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = Window();
  tool.uId = static_cast<UINT_PTR>(GetGadgetHandle(button));
  tool.lpszText = text;
  SendMessageW(tips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
  EXPECT_EQ(std::wstring(text), L"Reload all data on all tabs");
}

// A full editor is emptied by a new control in the old one's place.
TEST_F(Win32, AnEmptiedEditorKeepsWhatTheGadgetWasGiven) {
  int editor = static_cast<int>(NewEditor(KV_Any, 10, 10, 200, 120, KV_Editor_ReadOnly));
  WriteGadgetAttribute(editor, KV_Editor_WordWrap, 1);
  WriteGadgetColor(editor, KV_FrontColor, 0x0000FF);
  SetGadgetTip(editor, u"Device information");
  std::vector<Text> lines(500, u"Currently running services:");
  AppendGadgetItems(editor, lines);
  SetFocus(Hwnd(GetGadgetHandle(editor)));
  HWND before = Hwnd(GetGadgetHandle(editor));

  ClearGadget(editor);
  HWND hwnd = Hwnd(GetGadgetHandle(editor));
  EXPECT_FALSE(IsWindow(before) && before != hwnd) << "the old control was left behind";
  EXPECT_EQ(GadgetItemCount(editor), 0);
  EXPECT_EQ(GetFocus(), hwnd);
  EXPECT_EQ(ReadGadgetAttribute(editor, KV_Editor_WordWrap), 1);
  EXPECT_EQ(ReadGadgetAttribute(editor, KV_Editor_ReadOnly) != 0, true);
  EXPECT_EQ(ReadGadgetColor(editor, KV_FrontColor), 0x0000FF);
  HWND tips = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&tips));
  ASSERT_NE(tips, nullptr);
  wchar_t text[80] = {};
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = GetParent(hwnd);
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
  tool.lpszText = text;
  SendMessageW(tips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
  EXPECT_EQ(std::wstring(text), L"Device information");

  AppendGadgetItems(editor, std::vector<Text>{u"one", u"two"});
  EXPECT_EQ(ReadGadgetItemText(editor, 1), u"two");
  DisposeGadget(editor);
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(Win32, DraggingFromAListRowStartsADrag) {
  int list = static_cast<int>(NewListView(KV_Any, 10, 10, 200, 120));
  for (auto text : {u"a", u"b", u"c"}) InsertGadgetItem(list, -1, text);
  HWND hwnd = Hwnd(GetGadgetHandle(list));
  RECT row;
  SendMessageW(hwnd, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
  Collect();
  int x = (row.left + row.right) / 2;
  int y = (row.top + row.bottom) / 2;
  PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y + 40));
  PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y + 40));
  std::vector<int> types;
  for (const SeenEvent& e : Collect()) {
    if (e.code == EV_GADGET && e.object == list) types.push_back(e.type);
  }
  EXPECT_NE(std::find(types.begin(), types.end(), ET_DRAG_START), types.end());
  EXPECT_EQ(GetPropW(hwnd, L"KV_MouseDown"), nullptr);
}

TEST_F(Win32, OnAThemedPageOnlyLabelsAndButtonsTakeItsBackground) {
  int panel = static_cast<int>(NewPanel(KV_Any, 10, 10, 300, 200));
  InsertGadgetItem(panel, -1, u"ONE");
  int label = static_cast<int>(NewTextLabel(KV_Any, 5, 5, 60, 20, u"L"));
  int readOnly = static_cast<int>(NewStringField(KV_Any, 5, 30, 60, 20, u"R", KV_String_ReadOnly));
  int disabled = static_cast<int>(NewStringField(KV_Any, 5, 60, 60, 20, u"D"));
  SetGadgetDisabled(disabled, 1);
  PopGadgetParent();
  HWND page = GetParent(Hwnd(GetGadgetHandle(label)));
  auto transparent = [&](int gadget) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetBkMode(dc, OPAQUE);
    SendMessageW(page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 static_cast<LPARAM>(GetGadgetHandle(gadget)));
    bool result = GetBkMode(dc) == TRANSPARENT;
    DeleteDC(dc);
    return result;
  };
  // Where the platform draws no themed pages, nothing is transparent.
  if (!transparent(label)) GTEST_SKIP() << "the pages here are not themed";
  EXPECT_FALSE(transparent(readOnly));
  EXPECT_FALSE(transparent(disabled));
}

TEST_F(Win32, TabPagesAreHiddenStaticsAndEventsPostedFromThreadsArrive) {
  int panel = static_cast<int>(NewPanel(KV_Any, 10, 10, 300, 200));
  InsertGadgetItem(panel, -1, u"ONE");
  int onFirst = static_cast<int>(NewButton(KV_Any, 5, 5, 60, 24, u"B"));
  InsertGadgetItem(panel, -1, u"TWO");
  PopGadgetParent();
  HWND page = GetParent(Hwnd(GetGadgetHandle(onFirst)));
  wchar_t name[16] = {};
  GetClassNameW(page, name, 16);
  EXPECT_EQ(std::wstring(name), L"Static");
  EXPECT_EQ(GetParent(page), Hwnd(GetGadgetHandle(panel)));
  EXPECT_TRUE(IsWindowVisible(page));
  WriteGadgetState(panel, 1);
  EXPECT_FALSE(IsWindowVisible(page));
  EXPECT_FALSE(IsWindowEnabled(page));

  Collect();
  SuspendEvents();
  std::thread([] { PostEvent(EV_GADGET, 77, 1, ET_CHANGE); }).join();
  EXPECT_EQ(Collect(), (std::vector<SeenEvent>{{EV_GADGET, 1, 77, ET_CHANGE}}))
      << "posted events are forced through";
  ResumeEvents();
}

}  // namespace

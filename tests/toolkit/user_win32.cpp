// Plays the user on the Win32 backend with the platform's own messages: the
// input a control would receive, posted to it and dispatched before the
// action returns (outside WaitForEvent, whose queue the tests read). Like
// the real user, it cannot reach a control that is disabled or hidden.
// Requesters are answered from a helper thread once they are on screen.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "toolkit/reports.h"
#include "toolkit/gadgets.h"
#include "toolkit/top_windows.h"
#include "user.h"

namespace kv::user {

namespace {

constexpr DWORD kPatience = 10000;  // ms a helper waits for a requester

HWND Control(int gadget) { return reinterpret_cast<HWND>(GetGadgetHandle(gadget)); }

bool Reachable(HWND hwnd) { return hwnd && IsWindowEnabled(hwnd) && IsWindowVisible(hwnd); }

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// The display server reports what it did late (exposed windows, focus), so
// an action starts once earlier messages are done with and returns once its
// own are.
void Settle() {
  constexpr DWORD kQuiet = 20;  // ms without a message
  do {
    Pump();
  } while (MsgWaitForMultipleObjects(0, nullptr, FALSE, kQuiet, QS_ALLINPUT) == WAIT_OBJECT_0);
}

LPARAM Centre(const RECT& rect) {
  return MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

template <typename Action>
void Act(Action action) {
  Settle();
  action();
  Settle();
}

void Click(HWND hwnd, LPARAM at, bool twice = false) {
  PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(hwnd, WM_LBUTTONUP, 0, at);
  if (twice) {
    PostMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(hwnd, WM_LBUTTONUP, 0, at);
  }
  Pump();
}

// Helper threads answering requesters; joined before the program ends.
struct Helpers {
  std::vector<std::thread> threads;
  ~Helpers() {
    for (std::thread& t : threads) t.join();
  }
};

Helpers& TheHelpers() {
  static Helpers helpers;
  return helpers;
}

struct DialogSearch {
  HWND found = nullptr;
};

// A visible dialog of this process.
BOOL CALLBACK FindDialog(HWND hwnd, LPARAM lParam) {
  wchar_t name[16] = {};
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(hwnd)) return TRUE;
  if (!GetClassNameW(hwnd, name, 16) || std::wstring_view(name) != L"#32770") return TRUE;
  reinterpret_cast<DialogSearch*>(lParam)->found = hwnd;
  return FALSE;
}

HWND AwaitDialog() {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < kPatience) {
    DialogSearch search;
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return nullptr;
}

void AwaitGone(HWND dialog) {
  DWORD start = GetTickCount();
  while (IsWindow(dialog) && GetTickCount() - start < kPatience) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

// The folders of path that do not exist yet, created so that the file
// requester accepts the path, outermost first.
std::vector<std::wstring> CreateFolders(const std::wstring& path) {
  std::vector<std::wstring> created;
  for (size_t slash = path.find(L'\\', 3); slash != std::wstring::npos;
       slash = path.find(L'\\', slash + 1)) {
    std::wstring folder = path.substr(0, slash);
    if (CreateDirectoryW(folder.c_str(), nullptr)) created.push_back(folder);
  }
  return created;
}

void EnterFileName(HWND dialog, const std::wstring& path) {
  constexpr int kNameCombo = 0x47C;  // cmb13
  constexpr int kNameEdit = 0x480;   // edt1
  for (int id : {kNameCombo, kNameEdit}) {
    if (HWND field = GetDlgItem(dialog, id)) SetWindowTextW(field, path.c_str());
  }
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// Where a row of a list box or list view, or an item of a tree (counted in
// display order), is drawn; false when it is not.
bool ItemRect(HWND list, int item, RECT* rect) {
  wchar_t name[32] = {};
  GetClassNameW(list, name, 32);
  std::wstring_view kind(name);
  if (kind == WC_LISTVIEWW) {
    rect->left = LVIR_LABEL;
    return SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item),
                        reinterpret_cast<LPARAM>(rect));
  }
  if (kind == WC_TREEVIEWW) {
    auto next = [list](HTREEITEM from, UINT relation) {
      return reinterpret_cast<HTREEITEM>(
          SendMessageW(list, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from)));
    };
    HTREEITEM node = next(nullptr, TVGN_ROOT);
    for (int i = 0; node && i < item; ++i) {
      HTREEITEM following = next(node, TVGN_CHILD);
      for (HTREEITEM up = node; !following && up; up = next(up, TVGN_PARENT)) {
        following = next(up, TVGN_NEXT);
      }
      node = following;
    }
    if (!node) return false;
    SendMessageW(list, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(node));
    *reinterpret_cast<HTREEITEM*>(rect) = node;
    return SendMessageW(list, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(rect));
  }
  return SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(item),
                      reinterpret_cast<LPARAM>(rect)) != LB_ERR;
}

}  // namespace

void ClickButton(int gadget) {
  Act([gadget] {
    HWND button = Control(gadget);
    RECT rect;
    if (Reachable(button) && GetClientRect(button, &rect)) Click(button, Centre(rect));
  });
}

void ClickListItem(int gadget, int item) {
  Act([gadget, item] {
    HWND list = Control(gadget);
    RECT rect;
    if (Reachable(list) && ItemRect(list, item, &rect)) Click(list, Centre(rect));
  });
}

void DoubleClickListItem(int gadget, int item) {
  Act([gadget, item] {
    HWND list = Control(gadget);
    RECT rect;
    if (Reachable(list) && ItemRect(list, item, &rect)) Click(list, Centre(rect), true);
  });
}

// The arrow keys move through a closed drop-down list, choosing as they go.
void ChooseItem(int gadget, int item) {
  Act([gadget, item] {
    HWND combo = Control(gadget);
    if (!Reachable(combo)) return;
    SetFocus(combo);
    auto current = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
    WPARAM key = item > current ? VK_DOWN : VK_UP;
    for (int i = 0; i < std::abs(item - current); ++i) {
      PostMessageW(combo, WM_KEYDOWN, key, 1);
      PostMessageW(combo, WM_KEYUP, key, 0xC0000001);
      Pump();
    }
  });
}

// A scroll bar's arrows tell its owner; a track bar and a spin field's
// arrows answer the keyboard.
void StepValue(int gadget, int steps) {
  Act([gadget, steps] {
    HWND control = Control(gadget);
    if (!Reachable(control)) return;
    wchar_t name[32] = {};
    GetClassNameW(control, name, 32);
    bool forward = steps > 0;
    for (int i = 0; i < std::abs(steps); ++i) {
      if (std::wstring_view(name) == L"ScrollBar") {
        bool vertical = GetWindowLongW(control, GWL_STYLE) & SBS_VERT;
        SendMessageW(GetParent(control), vertical ? WM_VSCROLL : WM_HSCROLL,
                     forward ? SB_LINEDOWN : SB_LINEUP, reinterpret_cast<LPARAM>(control));
        continue;
      }
      bool spin = std::wstring_view(name) == L"Edit";
      SetFocus(control);
      WPARAM key = spin ? (forward ? VK_UP : VK_DOWN) : (forward ? VK_RIGHT : VK_LEFT);
      PostMessageW(control, WM_KEYDOWN, key, 1);
      PostMessageW(control, WM_KEYUP, key, 0xC0000001);
      Pump();
    }
  });
}

// Each character as the keyboard delivers it once translated: key down,
// character, key up.
void TypeText(int gadget, TextView text) {
  Act([gadget, text] {
    HWND field = Control(gadget);
    if (!Reachable(field)) return;
    SetFocus(field);
    PostMessageW(field, WM_KEYDOWN, VK_END, 1);  // the caret to the end
    PostMessageW(field, WM_KEYUP, VK_END, 0xC0000001);
    Pump();
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
      wchar_t c = text[i] == u'\n' ? L'\r' : static_cast<wchar_t>(text[i]);
      auto key = static_cast<WPARAM>(LOBYTE(VkKeyScanW(c)));
      PostMessageW(field, WM_KEYDOWN, key, 1);
      PostMessageW(field, WM_CHAR, c, 1);
      PostMessageW(field, WM_KEYUP, key, 0xC0000001);
      Pump();
    }
  });
}

void ChooseTab(int gadget, int index) {
  Act([gadget, index] {
    HWND tabs = Control(gadget);
    RECT rect;
    if (Reachable(tabs) && SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(&rect))) {
      Click(tabs, Centre(rect));
    }
  });
}

// Takes the bar in its middle, moves the mouse with the button held and lets go.
void DragSplitter(int gadget, int dx, int dy) {
  Act([gadget, dx, dy] {
    HWND splitter = Control(gadget);
    const GadgetObject* g = FindGadgetObject(gadget);
    if (!Reachable(splitter) || !g) return;
    PixelRect bar = SplitterBarOf(*g).rect;
    int x = bar.x + bar.width / 2;
    int y = bar.y + bar.height / 2;
    PostMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx, y + dy));
    PostMessageW(splitter, WM_LBUTTONUP, 0, MAKELPARAM(x + dx, y + dy));
    Pump();
  });
}

// What a click on a scroll bar's arrow sends.
void ScrollLines(int gadget, bool vertical, int lines) {
  Act([gadget, vertical, lines] {
    HWND area = Control(gadget);
    if (!Reachable(area)) return;
    UINT message = vertical ? WM_VSCROLL : WM_HSCROLL;
    WPARAM code = lines > 0 ? SB_LINEDOWN : SB_LINEUP;
    for (int i = 0; i < (lines > 0 ? lines : -lines); ++i) SendMessageW(area, message, code, 0);
  });
}

int FirstShownLine(int gadget) {
  return static_cast<int>(SendMessageW(Control(gadget), EM_GETFIRSTVISIBLELINE, 0, 0));
}

int ScreenTop(int gadget) {
  RECT rect{};
  GetWindowRect(Control(gadget), &rect);
  return rect.top;
}

// The close command of the system menu, as the close box and Alt+F4 give it.
void RequestClose(int window) {
  Act([window] {
    if (auto hwnd = reinterpret_cast<HWND>(GetWindowHandle(window))) {
      PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      Pump();
    }
  });
}

void FireTimer(int window, int timerId) {
  auto hwnd = reinterpret_cast<HWND>(GetWindowHandle(window));
  DWORD start = GetTickCount();
  while (hwnd && GetTickCount() - start < kPatience) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageW(&message);
      if (message.message == WM_TIMER && message.hwnd == hwnd &&
          message.wParam == static_cast<WPARAM>(timerId)) {
        return;
      }
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
}

void AnswerNextMessageBox(int code) {
  TheHelpers().threads.emplace_back([code] {
    if (HWND box = AwaitDialog()) PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(code), 0);
  });
}

void ForgetRequesters() {
  for (std::thread& t : TheHelpers().threads) t.join();
  TheHelpers().threads.clear();
}

void AnswerNextFileRequester(TextView path) {
  std::wstring wide(reinterpret_cast<const wchar_t*>(path.data()), path.size());
  std::vector<std::wstring> created = CreateFolders(wide);
  TheHelpers().threads.emplace_back([wide, created] {
    HWND dialog = AwaitDialog();
    if (dialog && wide.empty()) {
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    } else if (dialog) {
      EnterFileName(dialog, wide);
    }
    AwaitGone(dialog);
    for (auto folder = created.rbegin(); folder != created.rend(); ++folder) {
      RemoveDirectoryW(folder->c_str());
    }
  });
}

Text ClipboardText() {
  Text text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const char16_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace kv::user

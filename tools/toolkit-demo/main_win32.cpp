// The toolkit demo: one window with a panel of two tabs holding every gadget
// kind; whatever the user does shows in the status field at the bottom.
#include <windows.h>

#include <string>

#include "toolkit/dpi.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/requesters.h"
#include "toolkit/top_windows.h"

namespace {

using namespace kv;

constexpr int kWidth = 520;
constexpr int kHeight = 400;
constexpr int kMargin = 8;
constexpr int kTimer = 1;

enum Gadget {
  kPanel = 1,
  kReload,
  kToggle,
  kName,
  kLocked,
  kWarning,
  kList,
  kEditor,
  kStatus,
};

std::u16string Number(int value) {
  std::u16string text;
  for (char c : std::to_string(value)) text.push_back(static_cast<char16_t>(c));
  return text;
}

std::u16string EventName(int code) {
  switch (code) {
    case EV_GADGET: return u"EV_GADGET";
    case EV_MENU: return u"EV_MENU";
    case EV_ACTIVATE: return u"EV_ACTIVATE";
    case EV_DEACTIVATE: return u"EV_DEACTIVATE";
    case EV_MINIMIZE: return u"EV_MINIMIZE";
    case EV_MAXIMIZE: return u"EV_MAXIMIZE";
    case EV_RESTORE: return u"EV_RESTORE";
    case EV_TIMER: return u"EV_TIMER";
    case EV_LEFT_CLICK: return u"EV_LEFT_CLICK";
    case EV_RIGHT_CLICK: return u"EV_RIGHT_CLICK";
    case EV_LEFT_DOUBLE_CLICK: return u"EV_LEFT_DOUBLE_CLICK";
    case EV_MOVE: return u"EV_MOVE";
    case EV_SIZE: return u"EV_SIZE";
    default: return Number(code);
  }
}

void Show(int code) {
  std::u16string text = EventName(code) + u"  object " + Number(CurrentEventObject()) +
                        u"  type " + Number(CurrentEventType());
  if (code == EV_GADGET && CurrentEventObject() == kList) {
    text += u"  (" + ReadGadgetText(kList) + u")";
  }
  WriteGadgetText(kStatus, text);
}

// Places everything for the window's current inner size.
void Layout(int window) {
  int width = GetWindowInnerWidth(window);
  int height = GetWindowInnerHeight(window);
  int status = MeasureGadget(kStatus).height;
  PlaceGadget(kStatus, kMargin, height - kMargin - status, width - 2 * kMargin, status);
  PlaceGadget(kPanel, kMargin, kMargin, width - 2 * kMargin, height - 3 * kMargin - status);
  int pageWidth = ReadGadgetAttribute(kPanel, KV_Panel_ItemWidth);
  int pageHeight = ReadGadgetAttribute(kPanel, KV_Panel_ItemHeight);
  int y = kMargin;
  int x = kMargin;
  for (int button : {kReload, kToggle}) {
    GadgetSize size = MeasureGadget(button);
    PlaceGadget(button, x, y, size.width + 16, size.height);
    x += size.width + 16 + kMargin;
  }
  y += MeasureGadget(kReload).height + kMargin;
  int fieldHeight = MeasureGadget(kName).height;
  int half = (pageWidth - 3 * kMargin) / 2;
  PlaceGadget(kName, kMargin, y, half, fieldHeight);
  PlaceGadget(kLocked, 2 * kMargin + half, y, half, fieldHeight);
  y += fieldHeight + kMargin;
  GadgetSize warning = MeasureGadget(kWarning);
  PlaceGadget(kWarning, kMargin, y, warning.width, warning.height);
  y += warning.height + kMargin;
  PlaceGadget(kList, kMargin, y, pageWidth - 2 * kMargin, pageHeight - y - kMargin);
  PlaceGadget(kEditor, kMargin, kMargin, pageWidth - 2 * kMargin, pageHeight - 2 * kMargin);
}

void Build(int window) {
  NewPanel(kPanel, 0, 0, 0, 0);
  InsertGadgetItem(kPanel, -1, u"GADGETS");
  NewButton(kReload, 0, 0, 0, 0, u"Reload");
  NewButton(kToggle, 0, 0, 0, 0, u"Toggle", KV_Button_Toggle);
  NewStringField(kName, 0, 0, 0, 0, u"Type here");
  NewStringField(kLocked, 0, 0, 0, 0, u"Read-only field", KV_String_ReadOnly);
  NewTextLabel(kWarning, 0, 0, 0, 0, u"A label in red: every event shows below.");
  NewListView(kList, 0, 0, 0, 0);
  for (auto item : {u"com.example.alpha", u"com.example.beta", u"com.example.gamma",
                    u"org.sample.delta"}) {
    InsertGadgetItem(kList, -1, item);
  }
  InsertGadgetItem(kPanel, -1, u"EDITOR");
  NewEditor(kEditor, 0, 0, 0, 0);
  WriteGadgetText(kEditor,
                  u"{\\rtf1\\ansi Rich text: {\\b bold}, {\\i italic}, plain.\\par Second line.}");
  PopGadgetParent();
  NewStringField(kStatus, 0, 0, 0, 0, u"", KV_String_ReadOnly);
  WriteGadgetColor(kWarning, KV_FrontColor, 0x0000FF);
  SetGadgetTip(kReload, u"Reload all data on all tabs");
  WriteGadgetState(kList, 1);
  Layout(window);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  InitDpiScale();
  InitEventLibrary();
  InitWindowLibrary();
  InitGadgetLibrary();
  InitRequesters();
  int window = static_cast<int>(
      NewWindow(KV_Any, 0, 0, kWidth, kHeight, u"Toolkit demo",
                KV_Window_SystemMenu | KV_Window_SizeGadget | KV_Window_MinimizeGadget |
                    KV_Window_MaximizeGadget | KV_Window_ScreenCentered));
  if (!window) return 1;
  SetWindowSizeLimits(window, 360, 300, -1, -1);
  Build(window);
  StartWindowTimer(window, kTimer, 5000);
  for (;;) {
    int code = WaitForEvent(-1);
    if (code == EV_CLOSE) break;
    if (code == EV_SIZE) Layout(window);
    if (CurrentEventType() != -1 && code != EV_SIZE) Show(code);
  }
  EndGadgetLibrary();
  EndWindowLibrary();
  EndEventLibrary();
  return 0;
}

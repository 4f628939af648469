#include "toolkit/headless/driver.h"
#include "user.h"

namespace kv::user {

void ClickButton(int gadget) { headless::ClickButton(gadget); }
void ClickListItem(int gadget, int item) { headless::ClickListItem(gadget, item); }
void DoubleClickListItem(int gadget, int item) { headless::DoubleClickListItem(gadget, item); }
void ChooseItem(int gadget, int item) { headless::ChooseItem(gadget, item); }
void StepValue(int gadget, int steps) { headless::StepValue(gadget, steps); }
void TypeText(int gadget, TextView text) { headless::TypeText(gadget, text); }
void ChooseTab(int gadget, int index) { headless::ChooseTab(gadget, index); }
void DragSplitter(int gadget, int dx, int dy) { headless::DragSplitter(gadget, dx, dy); }
void ScrollLines(int gadget, bool vertical, int lines) {
  headless::ScrollLines(gadget, vertical, lines);
}
int ScreenTop(int gadget) { return headless::ScreenRect(gadget).y; }
int FirstShownLine(int gadget) { return headless::FirstShownLine(gadget); }
void RequestClose(int window) { headless::RequestClose(window); }
void FireTimer(int window, int timerId) { headless::FireTimer(window, timerId); }
void AnswerNextMessageBox(int code) { headless::AnswerNextMessageBox(code); }
void AnswerNextFileRequester(TextView path) { headless::AnswerNextFileRequester(path); }
Text ClipboardText() { return headless::ClipboardText(); }
void ForgetRequesters() { headless::ForgetShownRequesters(); }

}  // namespace kv::user

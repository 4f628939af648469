// Requesters and the clipboard of the headless screen: answers come from
// scripts, and every requester shown is recorded.
#include <deque>

#include "controls.h"
#include "driver.h"

namespace kv {

namespace headless {

namespace {

struct Requesters {
  std::deque<int> messageAnswers;
  std::deque<Text> fileAnswers;  // empty text: cancel
  std::vector<Requester> shown;
};

Requesters& TheRequesters() {
  static Requesters requesters;
  return requesters;
}

struct Clipboard {
  bool hasText = false;
  Text text;
  bool held = false;
};

Clipboard& TheClipboard() {
  static Clipboard clipboard;
  return clipboard;
}

std::vector<Handle> DisabledWindows() {
  std::vector<Handle> disabled;
  for (const Control* window : TopWindows()) {
    if (!window->enabled) disabled.push_back(window->handle);
  }
  return disabled;
}

}  // namespace

void AnswerNextMessageBox(int code) { TheRequesters().messageAnswers.push_back(code); }
void AnswerNextFileRequester(TextView path) { TheRequesters().fileAnswers.emplace_back(path); }
void CancelNextFileRequester() { TheRequesters().fileAnswers.emplace_back(); }
const std::vector<Requester>& ShownRequesters() { return TheRequesters().shown; }
void ForgetShownRequesters() { TheRequesters().shown = {}; }

bool ClipboardHasText() { return TheClipboard().hasText; }
Text ClipboardText() { return TheClipboard().text; }
void HoldClipboard(bool held) { TheClipboard().held = held; }

bool IsTopmost(Handle window) {
  const Control* control = FindControl(window);
  return control && control->topmost;
}

void SetWindowTopmost(Handle window, bool topmost) {
  if (Control* control = FindControl(window)) control->topmost = topmost;
}

}  // namespace headless

namespace platform {

void InitRequesters() { headless::TheRequesters() = {}; }
void EndRequesters() { headless::TheRequesters() = {}; }

std::vector<TopWindowState> ThreadTopWindows() {
  std::vector<TopWindowState> windows;
  for (const headless::Control* window : headless::TopWindows()) {
    if (window->thread != std::this_thread::get_id()) continue;
    windows.push_back({window->handle, window->visible, window->enabled, window->topmost});
  }
  return windows;
}

Handle ForegroundWindow() { return headless::Active(); }

void SetTopmost(Handle window, bool topmost) { headless::SetWindowTopmost(window, topmost); }

Text RunFileRequester(const FileRequest& request) {
  headless::Requesters& requesters = headless::TheRequesters();
  headless::Requester shown;
  shown.kind = request.save ? headless::RequesterKind::SaveFile
                            : headless::RequesterKind::OpenFile;
  shown.title = Text(request.title);
  shown.pattern = Text(request.pattern);
  shown.patternIndex = request.filterIndex - 1;
  shown.defaultFile = Text(request.defaultFile);
  shown.filter = request.filter;
  shown.directory = request.directory;
  shown.fileName = request.fileName;
  shown.owner = request.owner;
  shown.disabledWindows = headless::DisabledWindows();
  if (!requesters.fileAnswers.empty()) {
    shown.result = requesters.fileAnswers.front();
    requesters.fileAnswers.pop_front();
  }
  requesters.shown.push_back(shown);
  return shown.result;
}

int RunMessageBox(Handle owner, TextView title, TextView text, int flags) {
  headless::Requesters& requesters = headless::TheRequesters();
  headless::Requester shown;
  shown.title = Text(title);
  shown.text = Text(text);
  shown.flags = flags;
  shown.owner = owner;
  shown.disabledWindows = headless::DisabledWindows();
  if (!requesters.messageAnswers.empty()) {
    shown.answer = requesters.messageAnswers.front();
    requesters.messageAnswers.pop_front();
  }
  requesters.shown.push_back(shown);
  return shown.answer;
}

int ClearClipboard() {
  headless::Clipboard& clipboard = headless::TheClipboard();
  if (clipboard.held) return 0;
  clipboard = {};
  return 1;
}

int PutClipboard(TextView text) {
  headless::Clipboard& clipboard = headless::TheClipboard();
  if (clipboard.held) return 0;
  clipboard.hasText = true;
  clipboard.text = Text(text);
  return 1;
}

}  // namespace platform
}  // namespace kv

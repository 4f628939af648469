#include "toolkit/requesters.h"

#include <mutex>
#include <thread>
#include <vector>

#include "detail/file_requests.h"
#include "toolkit/platform.h"

namespace kv {

namespace {

// Windows touched by an open requester. Each thread keeps its own entries;
// the lock only keeps the shared list itself sound.
struct TouchedWindow {
  std::thread::id thread;
  Handle window = 0;
  bool wasTopmost = false;
  bool disabledByUs = false;
};

std::mutex touchedLock;
std::vector<TouchedWindow> touched;

// Holds the modal bracket around a requester.
struct ModalBracket {
  ModalBracket() { DisableOtherWindows(); }
  ~ModalBracket() { RestoreOtherWindows(); }
  ModalBracket(const ModalBracket&) = delete;
  ModalBracket& operator=(const ModalBracket&) = delete;
};

Text AskFile(bool save, TextView title, TextView defaultFile, TextView pattern,
             int patternIndex) {
  platform::FileRequest request;
  request.save = save;
  request.owner = RequesterOwner();
  request.title = title;
  request.pattern = pattern;
  request.defaultFile = defaultFile;
  request.filter = detail::FilterFromPattern(pattern);
  request.filterIndex = patternIndex + 1;
  detail::InitialFile initial = detail::SplitDefaultFile(defaultFile);
  request.directory = std::move(initial.directory);
  request.fileName = std::move(initial.fileName);
  Text path;
  {
    ModalBracket bracket;
    path = platform::RunFileRequester(request);
  }
  if (path.size() >= detail::kFileBufferSize) path.resize(detail::kFileBufferSize - 1);
  return path;
}

}  // namespace

void InitRequesters() { platform::InitRequesters(); }
void EndRequesters() { platform::EndRequesters(); }

Text AskFileToOpen(TextView title, TextView defaultFile, TextView pattern, int patternIndex) {
  return AskFile(false, title, defaultFile, pattern, patternIndex);
}

Text AskFileToSave(TextView title, TextView defaultFile, TextView pattern, int patternIndex) {
  return AskFile(true, title, defaultFile, pattern, patternIndex);
}

int ShowMessageBox(TextView title, TextView text, int flags) {
  Handle owner = RequesterOwner();
  ModalBracket bracket;
  return platform::RunMessageBox(owner, title, text, flags);
}

void DisableOtherWindows() {
  std::thread::id self = std::this_thread::get_id();
  Handle foreground = platform::ForegroundWindow();
  std::lock_guard lock(touchedLock);
  for (const platform::TopWindowState& window : platform::ThreadTopWindows()) {
    if (!window.visible) continue;
    TouchedWindow entry{self, window.handle, window.topmost, false};
    // The foreground window stays enabled: the requester's owner is disabled
    // by the platform's modal loop itself.
    if (window.handle != foreground && window.enabled) {
      platform::EnableHandle(window.handle, false);
      entry.disabledByUs = true;
    }
    touched.push_back(entry);
  }
  // A topmost window could otherwise cover the requester.
  for (const TouchedWindow& entry : touched) {
    if (entry.thread == self && entry.wasTopmost) platform::SetTopmost(entry.window, false);
  }
}

void RestoreOtherWindows() {
  std::thread::id self = std::this_thread::get_id();
  std::lock_guard lock(touchedLock);
  std::erase_if(touched, [self](const TouchedWindow& entry) {
    if (entry.thread != self) return false;
    if (entry.disabledByUs) platform::EnableHandle(entry.window, true);
    if (entry.wasTopmost) platform::SetTopmost(entry.window, true);
    return true;
  });
}

Handle RequesterOwner() { return platform::ForegroundWindow(); }

int EmptyClipboardContents() { return platform::ClearClipboard(); }

int PutClipboardText(TextView text) { return platform::PutClipboard(text); }

}  // namespace kv

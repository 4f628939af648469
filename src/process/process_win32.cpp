// Windows: anonymous pipes and CreateProcessW, with the shell as fallback for
// starts that ask for no pipes.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "detail/platform.h"
#include "process.h"

namespace kv {

// An anonymous pipe cannot be waited on, so the watch waits for the child's
// end only; its handles are its own, so the reader may close the child's.
struct OutputWatch {
  HANDLE process = nullptr;
  HANDLE cancel = nullptr;  // a manual-reset event
  bool endReported = false;
};

void OutputWatchDeleter::operator()(OutputWatch* watch) const {
  for (HANDLE handle : {watch->process, watch->cancel}) {
    if (handle) CloseHandle(handle);
  }
  delete watch;
}

WatchResult WaitForOutputChange(OutputWatch& watch, int timeoutMs) {
  HANDLE handles[] = {watch.cancel, watch.process};
  DWORD count = watch.endReported ? 1 : 2;
  DWORD result = WaitForMultipleObjects(count, handles, FALSE,
                                        timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs));
  if (result == WAIT_TIMEOUT) return WatchResult::TimedOut;
  if (result != WAIT_OBJECT_0 + 1) return WatchResult::Cancelled;
  watch.endReported = true;
  return WatchResult::Changed;
}

void CancelOutputWatch(OutputWatch& watch) { SetEvent(watch.cancel); }

}  // namespace kv

namespace kv::detail {

struct PlatformChild {
  HANDLE process = nullptr;
  HANDLE input = nullptr, output = nullptr, error = nullptr;  // the parent's ends
};

void PlatformChildDeleter::operator()(PlatformChild* child) const {
  for (HANDLE handle : {child->process, child->input, child->output, child->error}) {
    if (handle) CloseHandle(handle);
  }
  delete child;
}

namespace {

wchar_t* Wide(Text& text) { return reinterpret_cast<wchar_t*>(text.data()); }

struct Pipe {
  HANDLE read = nullptr, write = nullptr;
  void Close() {
    if (read) CloseHandle(read);
    if (write) CloseHandle(write);
    read = write = nullptr;
  }
};

// An inheritable pipe whose parent end (*parentEnd) is then replaced by a
// non-inheritable duplicate; a pipe that cannot be made is left out.
Pipe MakePipe(bool parentReads) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  Pipe pipe;
  if (!CreatePipe(&pipe.read, &pipe.write, &inherit, 0)) return {};
  HANDLE& parentEnd = parentReads ? pipe.read : pipe.write;
  HANDLE duplicate = nullptr;
  if (DuplicateHandle(GetCurrentProcess(), parentEnd, GetCurrentProcess(), &duplicate, 0, FALSE,
                      DUPLICATE_SAME_ACCESS)) {
    CloseHandle(parentEnd);
    parentEnd = duplicate;
  }
  return pipe;
}

HANDLE& PipeOf(PlatformChild& child, Stream stream) {
  return stream == Stream::Output ? child.output : child.error;
}

PlatformChildPtr ShellStart(TextView programPath, TextView parameters, TextView workingDirectory,
                            int show) {
  Text file(programPath), params(parameters), directory(workingDirectory);
  if (directory.empty()) {
    // The program's folder, up to and including its last backslash.
    std::size_t slash = file.size() > 1 ? file.find_last_of(u'\\') : Text::npos;
    if (slash != Text::npos && slash > 0) directory = file.substr(0, slash + 1);
  }
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpFile = Wide(file);
  info.lpParameters = params.empty() ? nullptr : Wide(params);
  info.lpDirectory = directory.empty() ? nullptr : Wide(directory);
  info.nShow = show;
  if (!ShellExecuteExW(&info) || !info.hProcess) return nullptr;
  auto* child = new PlatformChild();
  child->process = info.hProcess;
  return PlatformChildPtr(child);
}

}  // namespace

PlatformChildPtr SpawnChild(TextView programPath, TextView parameters, TextView commandLine,
                            TextView workingDirectory, std::uint32_t flags) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = (flags & HideWindow) ? SW_HIDE : SW_SHOWNORMAL;
  DWORD creation = NORMAL_PRIORITY_CLASS | ((flags & HideWindow) ? CREATE_NEW_CONSOLE : 0);

  Pipe in, out, err;
  if (flags & KeepHandle) {
    if (flags & PipeInput) in = MakePipe(false);
    if (flags & PipeOutput) out = MakePipe(true);
    if (flags & PipeError) err = MakePipe(true);
  }
  bool piped = in.read || out.write || err.write;
  if (piped) {
    startup.dwFlags |= STARTF_USESTDHANDLES;
    creation &= ~CREATE_NEW_CONSOLE;
    startup.hStdInput = in.read ? in.read : GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out.write ? out.write : GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = err.write ? err.write : GetStdHandle(STD_ERROR_HANDLE);
  }

  Text line(commandLine), directory(workingDirectory);
  PROCESS_INFORMATION info = {};
  BOOL started = CreateProcessW(nullptr, Wide(line), nullptr, nullptr, piped, creation, nullptr,
                                directory.empty() ? nullptr : Wide(directory), &startup, &info);
  if (!started) {
    in.Close(), out.Close(), err.Close();
    if (flags & (PipeOutput | PipeInput | PipeError | StartReserved)) return nullptr;
    return ShellStart(programPath, parameters, workingDirectory, startup.wShowWindow);
  }
  for (HANDLE childEnd : {in.read, out.write, err.write}) {
    if (childEnd) CloseHandle(childEnd);
  }
  CloseHandle(info.hThread);
  auto* child = new PlatformChild{info.hProcess, in.write, out.read, err.read};
  return PlatformChildPtr(child);
}

bool HasPipe(const PlatformChild& child, Stream stream) {
  return (stream == Stream::Output ? child.output : child.error) != nullptr;
}

bool HasExited(PlatformChild& child) { return WaitForSingleObject(child.process, 0) == WAIT_OBJECT_0; }

int ExitStatus(const PlatformChild& child) {
  DWORD code = 0;
  GetExitCodeProcess(child.process, &code);
  return static_cast<int>(code);
}

void WaitForChild(PlatformChild& child) { WaitForSingleObject(child.process, INFINITE); }

bool TerminateChild(PlatformChild& child) { return TerminateProcess(child.process, 0xFFFFFFFF) != 0; }

std::size_t BytesWaiting(PlatformChild& child, Stream stream) {
  DWORD available = 0;
  HANDLE pipe = PipeOf(child, stream);
  if (!pipe || !PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr)) return 0;
  return available;
}

long ReadWaiting(PlatformChild& child, Stream stream, char* buffer, std::size_t capacity) {
  HANDLE& pipe = PipeOf(child, stream);
  if (!pipe) return -1;
  DWORD available = 0, read = 0;
  if (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr)) {
    if (available == 0) return 0;
    DWORD want = available < capacity ? available : static_cast<DWORD>(capacity);
    if (ReadFile(pipe, buffer, want, &read, nullptr) && read > 0) return static_cast<long>(read);
  }
  // Broken pipe: every writer has closed its end.
  CloseHandle(pipe);
  pipe = nullptr;
  return -1;
}

void WaitForPipes(PlatformChild&, int) {
  // Anonymous pipes cannot be waited on; the caller polls again shortly.
  Sleep(1);
}

OutputWatchPtr WatchChild(PlatformChild& child) {
  if (!child.output || !child.process) return nullptr;
  OutputWatchPtr watch(new OutputWatch);
  HANDLE self = GetCurrentProcess();
  HANDLE process = nullptr;
  if (!DuplicateHandle(self, child.process, self, &process, SYNCHRONIZE, FALSE, 0)) return nullptr;
  watch->process = process;
  watch->cancel = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  return watch->cancel ? std::move(watch) : nullptr;
}

Text ExecutableModulePath() {
  Text path(MAX_PATH, u'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, Wide(path), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);  // a long path is not cut short
  }
}

}  // namespace kv::detail

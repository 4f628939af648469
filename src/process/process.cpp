#include "process.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_set>

#include "detail/platform.h"

namespace kv {

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;
// Read-ahead stops here once a whole line is buffered, so a caller that never
// reads lines bounds the memory; a longer line is read on until it ends.
constexpr std::size_t kReadAheadLimit = 1024 * 1024;
// Of standard error the first lines (where a tool names what went wrong) and
// the last lines are kept.
constexpr std::size_t kErrorHeadBytes = 1024;
constexpr std::size_t kErrorTailBytes = 3072;

struct ChildProcess {
  detail::PlatformChildPtr platform;
  std::uint32_t flags = 0;
  TextFormat format = FormatUtf8;
  std::string output;       // bytes read ahead; [outputStart, end) not yet returned
  // Reads land here first: growing output by a whole chunk would clear it on
  // every pull, and pulls come several times a loop pass.
  std::unique_ptr<char[]> chunk = std::make_unique_for_overwrite<char[]>(kReadChunk);
  std::size_t outputStart = 0;
  std::size_t scanned = 0;  // bytes after outputStart known to hold no line feed
  bool outputEnded = false;
  std::string errorHead, errorTail;
  bool errorSkipped = false;  // bytes between head and tail were dropped
};

std::mutex registryLock;
std::unordered_set<ChildProcess*>* registry = nullptr;

ChildProcess* Live(ProcessHandle handle) {
  std::lock_guard<std::mutex> lock(registryLock);
  auto* child = reinterpret_cast<ChildProcess*>(handle);
  return registry && registry->count(child) ? child : nullptr;
}

TextFormat FormatOf(std::uint32_t flags) {
  if (flags & TextAnsi) return FormatAnsi;
  if (flags & TextUtf8) return FormatUtf8;
  if (flags & TextUtf16) return FormatUtf16;
  return FormatUtf8;
}

std::size_t UnitSize(const ChildProcess& child) { return child.format == FormatUtf16 ? 2 : 1; }

// Keeps at most limit bytes, starting at a whole line.
void KeepLastLines(std::string& text, std::size_t limit) {
  if (text.size() <= limit) return;
  std::size_t start = text.size() - limit;
  if (text[start - 1] != '\n') {
    std::size_t lineFeed = text.find('\n', start);
    start = lineFeed == std::string::npos ? text.size() : lineFeed + 1;
  }
  text.erase(0, start);
}

void DrainErrors(ChildProcess& child) {
  if (!detail::HasPipe(*child.platform, detail::Stream::Error)) return;
  char chunk[4096];
  long n;
  while ((n = detail::ReadWaiting(*child.platform, detail::Stream::Error, chunk, sizeof chunk)) > 0) {
    std::string_view bytes(chunk, static_cast<std::size_t>(n));
    while (!bytes.empty() && child.errorHead.size() < kErrorHeadBytes && child.errorTail.empty()) {
      // The head takes whole lines only.
      std::size_t lineFeed = bytes.find('\n');
      std::size_t take = lineFeed == std::string_view::npos ? bytes.size() : lineFeed + 1;
      child.errorHead.append(bytes.substr(0, take));
      bytes.remove_prefix(take);
      if (!child.errorHead.ends_with('\n')) break;
    }
    child.errorTail.append(bytes);
  }
  if (child.errorTail.size() > 2 * kErrorTailBytes) {
    child.errorSkipped = true;
    KeepLastLines(child.errorTail, kErrorTailBytes);
  }
}

// Offset of the next line feed unit after outputStart, or npos.
std::size_t FindLineFeed(ChildProcess& child) {
  std::size_t unit = UnitSize(child);
  std::size_t at = child.outputStart + child.scanned;
  for (; at + unit <= child.output.size(); at += unit) {
    if (child.output[at] == '\n' && (unit == 1 || child.output[at + 1] == '\0')) return at;
  }
  child.scanned = at - child.outputStart;
  return std::string::npos;
}

std::size_t Unreturned(const ChildProcess& child) { return child.output.size() - child.outputStart; }

bool ReadAheadFull(ChildProcess& child) {
  return Unreturned(child) >= kReadAheadLimit && FindLineFeed(child) != std::string::npos;
}

// Moves waiting output into the read-ahead buffer without blocking. A read
// that drains the pipe ends the pull: a child that writes as fast as the
// parent reads (a line a write under Wine) would otherwise hold the caller
// until the read-ahead limit.
void PullOutput(ChildProcess& child) {
  DrainErrors(child);
  if (child.outputEnded || !detail::HasPipe(*child.platform, detail::Stream::Output)) return;
  while (!ReadAheadFull(child)) {
    long n = detail::ReadWaiting(*child.platform, detail::Stream::Output, child.chunk.get(),
                                 kReadChunk);
    if (n > 0) child.output.append(child.chunk.get(), static_cast<std::size_t>(n));
    if (n < 0) child.outputEnded = true;
    if (n < static_cast<long>(kReadChunk)) break;
  }
}

Text TakeLine(ChildProcess& child, std::size_t end, std::size_t skip) {
  std::size_t unit = UnitSize(child);
  std::string bytes;
  bytes.reserve(end - child.outputStart);
  for (std::size_t at = child.outputStart; at + unit <= end; at += unit) {
    bool carriageReturn = child.output[at] == '\r' && (unit == 1 || child.output[at + 1] == '\0');
    if (!carriageReturn) bytes.append(child.output, at, unit);
  }
  child.outputStart = end + skip;
  child.scanned = 0;
  if (child.outputStart > kReadChunk && child.outputStart * 2 > child.output.size()) {
    child.output.erase(0, child.outputStart);
    child.outputStart = 0;
  }
  return DecodeText(bytes, child.format);
}

// The end of the data is known once the pipe reports it, or once the child
// has exited with nothing left in the pipe (a grandchild such as a server
// that inherited the pipe may keep it open for ever).
void NoteEndOfOutput(ChildProcess& child) {
  if (child.outputEnded) return;
  if (!detail::HasPipe(*child.platform, detail::Stream::Output)) {
    child.outputEnded = true;
  } else if (detail::HasExited(*child.platform)) {
    PullOutput(child);
    if (detail::BytesWaiting(*child.platform, detail::Stream::Output) == 0) child.outputEnded = true;
  }
}

}  // namespace

void InitProcessRunner() {
  std::lock_guard<std::mutex> lock(registryLock);
  if (!registry) registry = new std::unordered_set<ChildProcess*>();
}

Text BuildCommandLine(TextView programPath, TextView parameters) {
  Text line;
  line.reserve(programPath.size() + parameters.size() + 4);
  if (!programPath.empty() && programPath[0] == u'"') {
    line += programPath;
  } else {
    line += u'"';
    line += programPath;
    line += u'"';
  }
  if (!parameters.empty()) {
    line += u' ';
    line += parameters;
  }
  return line;
}

Text QuoteArgument(TextView argument) {
  if (!argument.empty() && argument.find_first_of(u" \t\n\v\"") == TextView::npos) {
    return Text(argument);
  }
  Text quoted = u"\"";
  std::size_t backslashes = 0;
  for (char16_t c : argument) {
    if (c == u'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count only before a quote: there each stands for half.
    quoted.append(c == u'"' ? backslashes * 2 + 1 : backslashes, u'\\');
    quoted += c;
    backslashes = 0;
  }
  quoted.append(backslashes * 2, u'\\');  // before the closing quote
  return quoted + u'"';
}

ProcessHandle StartProcess(TextView programPath, TextView parameters, TextView workingDirectory,
                           std::uint32_t flags) {
  auto platform = detail::SpawnChild(programPath, parameters,
                                     BuildCommandLine(programPath, parameters), workingDirectory, flags);
  if (!platform) return 0;
  if (flags & WaitForExit) detail::WaitForChild(*platform);
  if (!(flags & KeepHandle)) return 1;
  auto* child = new ChildProcess();
  child->platform = std::move(platform);
  child->flags = flags;
  child->format = FormatOf(flags);
  std::lock_guard<std::mutex> lock(registryLock);
  if (!registry) registry = new std::unordered_set<ChildProcess*>();
  registry->insert(child);
  return reinterpret_cast<ProcessHandle>(child);
}

ProcessHandle IsProcessHandle(ProcessHandle handle) { return Live(handle) ? handle : 0; }

// Each question to the system is a round trip to the server under Wine, and
// the loop asks these every pass: a running child needs no look at its output.
int ProcessActive(ProcessHandle handle) {
  ChildProcess* child = Live(handle);
  if (!child) return 0;
  if (!detail::HasExited(*child->platform)) {
    DrainErrors(*child);
    return 1;
  }
  PullOutput(*child);
  NoteEndOfOutput(*child);
  return Unreturned(*child) >= UnitSize(*child) ? 1 : 0;
}

std::size_t ProcessOutputAvailable(ProcessHandle handle) {
  ChildProcess* child = Live(handle);
  if (!child) return 0;
  PullOutput(*child);
  // The pull drains the pipe unless the read-ahead is full.
  if (!ReadAheadFull(*child)) return Unreturned(*child);
  return Unreturned(*child) + detail::BytesWaiting(*child->platform, detail::Stream::Output);
}

int ProcessLineAvailable(ProcessHandle handle) {
  ChildProcess* child = Live(handle);
  if (!child) return 0;
  // The pipes are asked only when the read-ahead holds no whole line.
  if (FindLineFeed(*child) != std::string::npos) return 1;
  PullOutput(*child);
  if (FindLineFeed(*child) != std::string::npos) return 1;
  NoteEndOfOutput(*child);
  return child->outputEnded && Unreturned(*child) >= UnitSize(*child) ? 1 : 0;
}

Text ReadProcessLine(ProcessHandle handle) {
  ChildProcess* child = Live(handle);
  if (!child) return {};
  for (;;) {
    std::size_t lineFeed = FindLineFeed(*child);
    if (lineFeed != std::string::npos) return TakeLine(*child, lineFeed, UnitSize(*child));
    PullOutput(*child);
    lineFeed = FindLineFeed(*child);
    if (lineFeed != std::string::npos) return TakeLine(*child, lineFeed, UnitSize(*child));
    NoteEndOfOutput(*child);
    if (child->outputEnded) {
      // A partial unit at the very end is dropped.
      std::size_t end = child->output.size() - Unreturned(*child) % UnitSize(*child);
      Text last = TakeLine(*child, end, 0);
      child->output.clear();
      child->outputStart = 0;
      return last;
    }
    detail::WaitForPipes(*child->platform, 20);
  }
}

Text ProcessErrorText(ProcessHandle handle) {
  ChildProcess* child = Live(handle);
  if (!child) return {};
  DrainErrors(*child);
  if (child->errorTail.size() > kErrorTailBytes) {
    child->errorSkipped = true;
    KeepLastLines(child->errorTail, kErrorTailBytes);
  }
  std::string kept = child->errorHead;
  if (child->errorSkipped) kept += "...\n";
  kept += child->errorTail;
  Text text = DecodeText(kept, child->format);
  std::erase(text, u'\r');
  return text;
}

int ProcessExitStatus(ProcessHandle handle, int* status) {
  ChildProcess* child = Live(handle);
  if (!child || !detail::HasExited(*child->platform)) return 0;
  *status = detail::ExitStatus(*child->platform);
  return 1;
}

OutputWatchPtr WatchProcessOutput(ProcessHandle handle) {
  ChildProcess* child = Live(handle);
  return child ? detail::WatchChild(*child->platform) : nullptr;
}

int KillProcess(ProcessHandle handle) {
  ChildProcess* child = Live(handle);
  return child && detail::TerminateChild(*child->platform) ? 1 : 0;
}

void CloseProcess(ProcessHandle handle) {
  ChildProcess* child = nullptr;
  {
    std::lock_guard<std::mutex> lock(registryLock);
    auto* candidate = reinterpret_cast<ChildProcess*>(handle);
    if (registry && registry->erase(candidate)) child = candidate;
  }
  delete child;
}

Text OwnExecutablePath() {
  Text path = detail::ExecutableModulePath();
  if (path.starts_with(u"\\\\?\\")) path.erase(0, 4);
  return path;
}

}  // namespace kv

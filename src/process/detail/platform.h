// What the runner needs from the operating system; process_win32.cpp and
// process_posix.cpp each implement it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "process/process.h"
#include "runtime/text.h"

namespace kv::detail {

struct PlatformChild;
struct PlatformChildDeleter {
  void operator()(PlatformChild* child) const;  // closes what the parent holds
};
using PlatformChildPtr = std::unique_ptr<PlatformChild, PlatformChildDeleter>;

enum class Stream { Output, Error };

// Starts the child; null when it could not be started.
PlatformChildPtr SpawnChild(TextView programPath, TextView parameters, TextView commandLine,
                            TextView workingDirectory, std::uint32_t flags);
bool HasPipe(const PlatformChild& child, Stream stream);
// Zero-time-out exit test; a failed test counts as still running.
bool HasExited(PlatformChild& child);
int ExitStatus(const PlatformChild& child);
void WaitForChild(PlatformChild& child);
bool TerminateChild(PlatformChild& child);
// Bytes waiting in the pipe, 0 when none or when the query fails.
std::size_t BytesWaiting(PlatformChild& child, Stream stream);
// Reads what is waiting, at most capacity bytes, without blocking: the count
// read, 0 when nothing waits, -1 at the end of the data or on failure.
long ReadWaiting(PlatformChild& child, Stream stream, char* buffer, std::size_t capacity);
// Sleeps until one of the child's pipes may have data, or milliseconds pass.
void WaitForPipes(PlatformChild& child, int milliseconds);
// A watch on the child's output and end; null without an output pipe.
OutputWatchPtr WatchChild(PlatformChild& child);
Text ExecutableModulePath();

}  // namespace kv::detail

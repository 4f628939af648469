// Child programs with piped standard streams, polled and read line by line.
//
// A ChildProcess handle is the address of the runner's record for the child;
// IsProcessHandle tells a live handle from a stale or foreign value. Output is
// read ahead in chunks, but every byte that no line has returned yet is still
// counted by ProcessOutputAvailable and ProcessActive. Standard error is drained
// while the child runs (a child blocked on a full error pipe would never end);
// its first and last lines and the exit status are kept for the caller.
#pragma once

#include <cstdint>
#include <memory>

#include "runtime/text.h"

namespace kv {

using ProcessHandle = std::uintptr_t;

enum StartFlags : std::uint32_t {
  WaitForExit = 0x1,
  HideWindow = 0x2,
  KeepHandle = 0x4,  // the pipe flags work only together with this one
  PipeOutput = 0x8,
  PipeInput = 0x10,
  PipeError = 0x20,
  StartReserved = 0x40,  // no effect but ruling out the shell fallback
  TextAnsi = 0x80,
  TextUtf8 = 0x100,
  TextUtf16 = 0x200,
};

void InitProcessRunner();

// A handle with KeepHandle, 1 for a start without it, 0 when the start failed.
ProcessHandle StartProcess(TextView programPath, TextView parameters, TextView workingDirectory,
                           std::uint32_t flags);
// The handle itself while it names a live child record, else 0.
ProcessHandle IsProcessHandle(ProcessHandle handle);
// 1 while the child runs or output waits that no line has returned; else 0.
int ProcessActive(ProcessHandle handle);
// Bytes of standard output that no line has returned yet.
std::size_t ProcessOutputAvailable(ProcessHandle handle);
// 1 when ReadProcessLine would return at once: a whole line is waiting, or
// the output has ended with a last line that has no line feed.
int ProcessLineAvailable(ProcessHandle handle);
// The next output line without its line end; carriage returns are dropped.
// Blocks until a line feed or the end of the data.
Text ReadProcessLine(ProcessHandle handle);
// What the child wrote to standard error: its first and last lines, at most
// about 4 KiB, with a line "..." where lines between them were dropped.
Text ProcessErrorText(ProcessHandle handle);
// 1 and the exit status in *status once the child has ended (-1 when it was
// killed by a signal), 0 while it runs.
int ProcessExitStatus(ProcessHandle handle, int* status);
// A watch lets a thread of its own sleep until a child has news while the
// caller goes on reading it as usual. Windows cannot wait on an anonymous
// pipe: there only the child's end, or a cancel, ends a wait.
struct OutputWatch;
struct OutputWatchDeleter {
  void operator()(OutputWatch* watch) const;
};
using OutputWatchPtr = std::unique_ptr<OutputWatch, OutputWatchDeleter>;
enum class WatchResult { Changed, TimedOut, Cancelled };

// Null when the child has no output pipe or the system refuses a watch.
OutputWatchPtr WatchProcessOutput(ProcessHandle handle);
// On one thread at a time: Changed once the child wrote or ended since the
// previous Changed (output written but not yet read does not count again);
// timeoutMs -1 waits without limit.
WatchResult WaitForOutputChange(OutputWatch& watch, int timeoutMs);
// Any thread: ends the current wait and every later one with Cancelled.
void CancelOutputWatch(OutputWatch& watch);

// Ends the child with exit status -1; the record stays live.
int KillProcess(ProcessHandle handle);
// Releases the record and the parent's pipe ends; does not stop the child.
void CloseProcess(ProcessHandle handle);

Text OwnExecutablePath();

// The command line a start builds: the program path in double quotes unless
// it already begins with one, then a blank and the parameters unless empty.
Text BuildCommandLine(TextView programPath, TextView parameters);

// One parameter written so that the Windows command-line rules read it back
// whole and unchanged: as it is when it holds no blank, tab, line break or
// double quote; otherwise in double quotes, with each quote and the
// backslashes before a quote escaped.
Text QuoteArgument(TextView argument);

}  // namespace kv

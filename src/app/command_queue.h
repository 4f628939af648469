// The adb command channel: a queue of adb invocations run one at a time by a
// pump that the main loop advances once per pass. Each command's output goes
// to its line handler as begin, one call per line in output order, and end,
// all on the calling thread.
#pragma once

#include <deque>
#include <functional>

#include "process/process.h"
#include "runtime/text.h"

namespace kv {

enum Phase : int {
  PhaseBegin = 1,
  PhaseLine = 2,  // handlers treat 2..30000 as a line
  PhaseEnd = 60000,
};

using LineHandler = std::function<void(const Text& line, int phase, const Text& commandKey)>;

struct QueuedCommand {
  LineHandler handler;  // none: the output is read and discarded
  Text parameters;
  Text workingDirectory;  // empty: PathDirectory(CONFIG.ADBPath)
  Text commandKey;        // handed unchanged to every handler call
};

using CommandQueue = std::deque<QueuedCommand>;

enum PumpStates : int { PumpIdle = 0, PumpStarted = 1, PumpReading = 2, PumpFinished = 60000 };

// How the last finished command ended, known when its end call is made: adb
// reports failures on standard error and in its exit status.
struct CommandOutcome {
  bool started = false;
  int exitStatus = 0;  // valid when started; -1 when killed
  Text errorText;      // the last lines of standard error
};

void EnqueueAdbCommand(TextView parameters, LineHandler handler, TextView commandKey);
// Drops every command that has not started; a running one goes on to its end.
void ClearCommandQueue();
// One step of the pump. While reading it hands over every whole line already
// waiting, within a few milliseconds, so a long list does not cost a pass a
// line, and notices in the same pass when the child has ended and is drained.
void PumpCommandQueue();
ProcessHandle StartQueuedCommand(const QueuedCommand& command);
// At shutdown: kills the running adb child, if it still runs or holds output,
// waits briefly for it to end and releases it. Its handler gets no end call.
void StopRunningCommand();

// True when the next step has work to do at once: a command to start, a
// begin or end call to make, a whole line waiting, or a child gone.
bool PumpHasStepNow();

int PumpState();
// The running command's child, 0 when none runs.
ProcessHandle RunningCommandProcess();
std::size_t QueuedCommandCount();
const CommandOutcome& LastCommandOutcome();

// The directory part of a path: after one leading double quote, up to and
// including the last backslash or slash before the end or a vertical bar.
Text PathDirectory(TextView path);

}  // namespace kv

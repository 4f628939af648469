#include "command_queue.h"

#include <chrono>
#include <thread>

#include "adb.h"
#include "config_record.h"

namespace kv {

namespace {

// Time one pass may spend handing lines over, so the window stays responsive.
constexpr auto kLineBudget = std::chrono::milliseconds(4);
// How long shutdown waits for a killed child to end.
constexpr auto kKillWait = std::chrono::seconds(2);

struct Pump {
  int state = PumpIdle;
  LineHandler handler;
  Text commandKey;
  ProcessHandle child = 0;
  CommandOutcome outcome;
};

CommandQueue queue;
Pump pump;

void Deliver(const Text& line, int phase) {
  if (pump.handler) pump.handler(line, phase, pump.commandKey);
}

void StartNext() {
  pump.state = PumpStarted;
  pump.commandKey = queue.front().commandKey;
  pump.handler = queue.front().handler;
  pump.child = StartQueuedCommand(queue.front());
  queue.pop_front();
}

void ReadLines() {
  if (!IsProcessHandle(pump.child) || !ProcessActive(pump.child)) {
    pump.state = PumpFinished;
    return;
  }
  auto deadline = std::chrono::steady_clock::now() + kLineBudget;
  while (ProcessLineAvailable(pump.child)) {
    Deliver(ReadProcessLine(pump.child), PhaseLine);
    if (std::chrono::steady_clock::now() >= deadline) return;
  }
  // A child that has ended and been drained is noticed in the same pass; its
  // end call still comes on the next one.
  if (!ProcessActive(pump.child)) pump.state = PumpFinished;
}

void Finish() {
  pump.outcome = {};
  if (IsProcessHandle(pump.child)) {
    pump.outcome.started = true;
    ProcessExitStatus(pump.child, &pump.outcome.exitStatus);
    pump.outcome.errorText = ProcessErrorText(pump.child);
  }
  Deliver({}, PhaseEnd);
  if (IsProcessHandle(pump.child)) {
    KillProcess(pump.child);
    CloseProcess(pump.child);
  }
  pump.child = 0;
  pump.handler = nullptr;
  pump.commandKey.clear();
  pump.state = PumpIdle;
}

}  // namespace

void EnqueueAdbCommand(TextView parameters, LineHandler handler, TextView commandKey) {
  queue.push_back({std::move(handler), Text(parameters), Text(), Text(commandKey)});
}

void ClearCommandQueue() {
  queue.clear();
}

void PumpCommandQueue() {
  switch (pump.state) {
    case PumpIdle:
      if (!queue.empty()) StartNext();
      break;
    case PumpStarted:
      Deliver({}, PhaseBegin);
      pump.state = PumpReading;
      break;
    default:
      if (pump.state >= PumpReading && pump.state <= 30000) {
        ReadLines();
      } else {
        Finish();
      }
  }
}

ProcessHandle StartQueuedCommand(const QueuedCommand& command) {
  const Text& adbPath = AdbPath();
  Text directory =
      command.workingDirectory.empty() ? PathDirectory(adbPath) : command.workingDirectory;
  return StartProcess(adbPath, command.parameters, directory, adb::kCommandFlags);
}

void StopRunningCommand() {
  if (IsProcessHandle(pump.child) && ProcessActive(pump.child)) {
    KillProcess(pump.child);
    // The child must be gone before anything else talks to adb.
    int status = 0;
    auto deadline = std::chrono::steady_clock::now() + kKillWait;
    while (!ProcessExitStatus(pump.child, &status) && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  CloseProcess(pump.child);
  pump = {};
}

bool PumpHasStepNow() {
  switch (pump.state) {
    case PumpIdle:
      return !queue.empty();
    case PumpReading:
      return !IsProcessHandle(pump.child) || !ProcessActive(pump.child) ||
             ProcessLineAvailable(pump.child);
    default:
      return true;
  }
}

int PumpState() {
  return pump.state;
}
ProcessHandle RunningCommandProcess() {
  return pump.child;
}
std::size_t QueuedCommandCount() {
  return queue.size();
}
const CommandOutcome& LastCommandOutcome() {
  return pump.outcome;
}

Text PathDirectory(TextView path) {
  if (!path.empty() && path[0] == u'"') path.remove_prefix(1);
  std::size_t end = path.find_first_of(u"\0|", 0, 2);
  if (end != TextView::npos) path = path.substr(0, end);
  std::size_t slash = path.find_last_of(u"\\/");
  return slash == TextView::npos ? Text() : Text(path.substr(0, slash + 1));
}

}  // namespace kv

#include "app/command_channel.h"

#include <chrono>
#include <thread>

#include "app/adb.h"
#include "storage/file_paths.h"

namespace kv {

namespace {

// Time one pass may spend handing lines over, so the window stays responsive.
constexpr auto kLineBudget = std::chrono::milliseconds(4);
// How long shutdown waits for a killed child to end.
constexpr auto kKillWait = std::chrono::seconds(2);

CommandOutcome OutcomeOf(ProcessHandle child) {
  CommandOutcome outcome;
  if (IsProcessHandle(child)) {
    outcome.started = true;
    ProcessExitStatus(child, &outcome.exitStatus);
    outcome.errorText = ProcessErrorText(child);
  }
  return outcome;
}

template <typename Started>
bool IsReady(const std::future<Started>& start) {
  return start.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

void Release(ProcessHandle child) {
  if (!IsProcessHandle(child)) return;
  KillProcess(child);
  CloseProcess(child);
}

}  // namespace

void CommandChannel::Enqueue(TextView parameters, CommandSteps steps) {
  queue_.push_back({Text(parameters), std::move(steps)});
}

void CommandChannel::Clear() {
  queue_.clear();
}

void CommandChannel::Pump() {
  switch (state_) {
    case PumpState::Idle:
      if (!queue_.empty()) StartNext();
      break;
    case PumpState::Starting:
      if (IsReady(starting_)) TakeStartedChild();
      break;
    case PumpState::Started:
      if (running_.begin) running_.begin();
      state_ = PumpState::Reading;
      break;
    case PumpState::Reading:
      ReadLines();
      break;
    case PumpState::Finished:
      Finish();
      break;
  }
}

const Text& CommandChannel::NoDeviceSerial() {
  static const Text none;
  return none;
}

Text CommandChannel::ParametersFor(const Text& parameters) const {
  if (deviceSerial_.empty()) return parameters;
  return Text(adb::kDeviceOption) + deviceSerial_ + u" " + parameters;
}

CommandChannel::~CommandChannel() {
  StopRunning();
  {
    std::lock_guard<std::mutex> hold(lock_);
    quitting_ = true;
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

// The channel keeps the watch alive until the request has been served.
void CommandChannel::StartAndWatch(StartRequest request) {
  StartedChild child;
  child.child = StartProcess(request.adb, request.parameters, PathDirectory(request.adb),
                             adb::kCommandFlags);
  child.watch = WatchProcessOutput(child.child);
  OutputWatch* watch = child.watch.get();
  request.started.set_value(std::move(child));
  if (request.wake) request.wake();
  while (watch) {
    WatchResult news = WaitForOutputChange(*watch, -1);
    if (news == WatchResult::Cancelled) break;
    if (news == WatchResult::Changed && request.wake) request.wake();
  }
}

void CommandChannel::Serve() {
  std::unique_lock<std::mutex> hold(lock_);
  for (;;) {
    changed_.wait(hold, [this] { return quitting_ || request_; });
    if (quitting_) return;
    StartRequest request = std::move(*request_);
    request_.reset();
    serving_ = true;
    hold.unlock();
    StartAndWatch(std::move(request));
    hold.lock();
    serving_ = false;
    changed_.notify_all();
  }
}

void CommandChannel::StartNext() {
  QueuedCommand& next = queue_.front();
  state_ = PumpState::Starting;
  parameters_ = std::move(next.parameters);
  running_ = std::move(next.steps);
  std::promise<StartedChild> started;
  starting_ = started.get_future();
  if (!worker_.joinable()) worker_ = std::thread(&CommandChannel::Serve, this);
  {
    std::lock_guard<std::mutex> hold(lock_);
    request_ = StartRequest{adbPath_, ParametersFor(parameters_), wake, std::move(started)};
  }
  changed_.notify_all();
  queue_.pop_front();
}

void CommandChannel::TakeStartedChild() {
  StartedChild started = starting_.get();
  child_ = started.child;
  watch_ = std::move(started.watch);
  state_ = PumpState::Started;
  heard_ = std::chrono::steady_clock::now();
  waiting_ = 0;
  silenced_ = false;
}

void CommandChannel::ReadLines() {
  if (!IsProcessHandle(child_) || !ProcessActive(child_)) {
    state_ = PumpState::Finished;
    return;
  }
  auto deadline = std::chrono::steady_clock::now() + kLineBudget;
  bool heard = false;
  while (ProcessLineAvailable(child_)) {
    heard = true;
    Text line = ReadProcessLine(child_);
    if (running_.line) running_.line(std::move(line));
    auto now = std::chrono::steady_clock::now();
    if (now >= deadline) {
      heard_ = now;
      return;
    }
  }
  // A child that has ended and been drained is noticed in the same pass; its
  // end call still comes on the next one.
  if (!ProcessActive(child_)) {
    state_ = PumpState::Finished;
    return;
  }
  EndIfSilent(heard);
}

// Any byte the child writes, even of a line not yet ended, counts as an answer.
void CommandChannel::EndIfSilent(bool heard) {
  auto now = std::chrono::steady_clock::now();
  std::size_t waiting = ProcessOutputAvailable(child_);
  if (heard || waiting != waiting_) {
    heard_ = now;
    waiting_ = waiting;
    return;
  }
  if (now - heard_ < silenceLimit) return;
  KillProcess(child_);
  silenced_ = true;
  state_ = PumpState::Finished;
}

void CommandChannel::Finish() {
  CommandSteps finished = std::move(running_);
  CommandOutcome outcome = OutcomeOf(child_);
  outcome.parameters = std::move(parameters_);
  if (silenced_) outcome.silentFor = silenceLimit;
  ProcessHandle child = child_;
  EndWatch();
  running_ = {};
  child_ = 0;
  state_ = PumpState::Idle;
  if (finished.end) finished.end(outcome);
  Release(child);
}

bool CommandChannel::HasStepNow() const {
  switch (state_) {
    case PumpState::Idle:
      return !queue_.empty();
    case PumpState::Starting:
      return IsReady(starting_);
    case PumpState::Reading:
      return !IsProcessHandle(child_) || !ProcessActive(child_) ||
             ProcessLineAvailable(child_);
    default:
      return true;
  }
}

void CommandChannel::EndWatch() {
  if (watch_) CancelOutputWatch(*watch_);
  std::unique_lock<std::mutex> hold(lock_);
  changed_.wait(hold, [this] { return !serving_ && !request_; });
  watch_.reset();
}

void CommandChannel::StopRunning() {
  if (state_ == PumpState::Starting) TakeStartedChild();
  EndWatch();
  if (IsProcessHandle(child_) && ProcessActive(child_)) {
    KillProcess(child_);
    // The child must be gone before anything else talks to adb.
    int status = 0;
    auto deadline = std::chrono::steady_clock::now() + kKillWait;
    while (!ProcessExitStatus(child_, &status) && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  CloseProcess(child_);
  child_ = 0;
  running_ = {};
  state_ = PumpState::Idle;
}

}  // namespace kv

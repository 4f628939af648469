// The adb command channel: a queue of adb invocations run one at a time by a
// pump that the main loop advances once per pass. Each command carries its
// own steps: begin, one line step per output line in output order, and end,
// which is handed how the command ended; all run on the calling thread. Beside
// it a thread of the channel's own, kept for the channel's life, starts adb
// (a process start under Wine takes longer than a frame), then watches it and
// calls wake at each piece of news, so the loop need not poll for it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <optional>
#include <thread>

#include "process/process.h"
#include "runtime/text.h"

namespace kv {

// How a command ended: adb reports failures on standard error and in its
// exit status.
struct CommandOutcome {
  bool started = false;
  int exitStatus = 0;  // valid when started; -1 when killed
  Text errorText;      // the last lines of standard error
  // Nonzero when the channel ended the command after it wrote nothing for
  // this long; parameters name it.
  std::chrono::milliseconds silentFor{0};
  Text parameters;
};

// Any step may be empty; a command without steps is read and discarded.
struct CommandSteps {
  std::function<void()> begin;
  std::function<void(Text line)> line;
  std::function<void(const CommandOutcome&)> end;
};

struct QueuedCommand {
  Text parameters;
  CommandSteps steps;
};

enum class PumpState { Idle, Starting, Started, Reading, Finished };

class CommandChannel {
 public:
  // An adb that hangs talking to a device in a bad state must not hold the
  // queue for ever: a command silent this long is ended.
  static constexpr std::chrono::seconds kSilenceLimit{30};

  // adbPath and deviceSerial are read at each start, so an edited path or a
  // newly chosen device applies to the next command; both must outlive the
  // channel. A serial, when not empty, goes before every command's
  // parameters as "-s SERIAL".
  explicit CommandChannel(const Text& adbPath, const Text& deviceSerial = NoDeviceSerial())
      : adbPath_(adbPath), deviceSerial_(deviceSerial) {}
  ~CommandChannel();
  CommandChannel(const CommandChannel&) = delete;
  CommandChannel& operator=(const CommandChannel&) = delete;

  void Enqueue(TextView parameters, CommandSteps steps);
  // Drops every command that has not started; a running one goes on to its end.
  void Clear();
  // One step of the pump. While reading it hands over every whole line
  // already waiting, within a few milliseconds, so a long list does not cost
  // a pass a line, and notices in the same pass when the child has ended and
  // is drained.
  void Pump();
  // True when the next step has work to do at once: a command to start, a
  // started child to take, a begin or end call to make, a whole line
  // waiting, or a child gone.
  bool HasStepNow() const;
  // At shutdown: kills the running adb child, if it still runs or holds
  // output, waits briefly for it to end and releases it. Its end step is not
  // called.
  void StopRunning();

  // Tests shorten it.
  std::chrono::milliseconds silenceLimit = kSilenceLimit;
  // Called on the channel's own thread once a child has started, written or
  // ended; read at each start.
  std::function<void()> wake;

  PumpState State() const { return state_; }
  bool IsIdle() const { return state_ == PumpState::Idle && queue_.empty(); }
  // The running command's child, 0 when none runs.
  ProcessHandle RunningProcess() const { return child_; }
  std::size_t QueuedCount() const { return queue_.size(); }

 private:
  static const Text& NoDeviceSerial();
  Text ParametersFor(const Text& parameters) const;
  struct StartedChild {
    ProcessHandle child = 0;
    OutputWatchPtr watch;
  };
  // What the channel's thread is to start next.
  struct StartRequest {
    Text adb;
    Text parameters;
    std::function<void()> wake;
    std::promise<StartedChild> started;
  };
  static void StartAndWatch(StartRequest request);
  void Serve();

  void StartNext();
  void TakeStartedChild();
  void EndWatch();
  void ReadLines();
  void EndIfSilent(bool heard);
  void Finish();

  const Text& adbPath_;
  const Text& deviceSerial_;
  std::deque<QueuedCommand> queue_;
  PumpState state_ = PumpState::Idle;
  Text parameters_;
  CommandSteps running_;
  ProcessHandle child_ = 0;
  // The channel's thread takes requests one at a time: it starts the child,
  // then watches it until the watch is cancelled. A thread a command cost
  // 2 ms under Wine.
  std::thread worker_;
  std::mutex lock_;
  std::condition_variable changed_;
  std::optional<StartRequest> request_;  // guarded by lock_, as are the two below
  bool serving_ = false;                 // a request is being served
  bool quitting_ = false;
  std::future<StartedChild> starting_;
  OutputWatchPtr watch_;
  // When the running command last wrote, and how many bytes were waiting.
  std::chrono::steady_clock::time_point heard_;
  std::size_t waiting_ = 0;
  bool silenced_ = false;
};

}  // namespace kv

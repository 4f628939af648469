// The program: its state in one object, start-up, the main loop and shutdown.
// The handlers in the other files of this folder take the program they act on.
#pragma once

#include "app/command_channel.h"
#include "app/config_record.h"
#include "app/main_window.h"
#include "runtime/text.h"

namespace kv {

inline constexpr TextView kProgramTitle = u"Kestrelvane [v1.0.0.1]";
inline constexpr int kPumpTimer = 0x750049;
inline constexpr int kPumpTimerPeriodMs = 333;
inline constexpr int kLoopWaitMs = 1;

struct Program {
  // configFile: the configuration file it loads at Start and saves at End.
  explicit Program(Text configFile) : configPath(std::move(configFile)) {}
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Sets up the libraries, loads the configuration (or gives the default adb
  // path) and opens the main window. False when the window cannot be opened;
  // startFailure then says why in one line.
  bool Start();
  // One pass of the main loop: waits up to timeoutMs for an event (bound
  // handlers run inside the wait), then pumps the adb channel once unless the
  // event was the close event. True when it was.
  bool RunLoopPass(int timeoutMs);
  // The wait of the next pass: the main loop's 1 ms, or none while the adb
  // channel has a step to take at once, so a command does not pay idle
  // milliseconds between its start, begin and end while the loop still never
  // spins as adb works.
  int LoopWaitMs() const;
  // Runs passes until the window is closed.
  void RunMainLoop();
  // Stops a running adb child and the adb server, saves the configuration and
  // releases the libraries.
  void End();

  const Text configPath;
  // The window Start opens; a test may give another.
  TextView description = kMainWindowDescription;
  Text startFailure;
  Config config;
  // The adb executable every command runs: read at each start, so an edited
  // path applies to the next command.
  const Text& AdbPath() const { return config.ADBPath; }
  CommandChannel channel{config.ADBPath, config.DeviceSerial};
  MainGadgets g;
  PackageTab user{}, system{};
  int dialog = -1;
};

}  // namespace kv

// The program's spine: start-up, the main window, the main loop and shutdown.
#pragma once

#include "app/main_window.h"
#include "runtime/text.h"

namespace kv {

inline constexpr TextView kProgramTitle = u"Kestrelvane [v1.0.0.1]";
inline constexpr int kPumpTimer = 0x750049;
inline constexpr int kPumpTimerPeriodMs = 333;

// Sets up the libraries, loads the configuration (or gives the default adb
// path) and opens the main window. False when the window cannot be opened.
bool StartProgram();
// One pass of the main loop: waits up to timeoutMs for an event (bound
// handlers run inside the wait), then pumps the adb queue once unless the
// event was the close event. True when it was.
bool RunLoopPass(int timeoutMs);
// The wait of the next pass: the main loop's 1 ms, or none while the adb
// channel has a step to take at once, so a command does not pay idle
// milliseconds between its start, begin and end while the loop still never
// spins as adb works.
int LoopWaitMs();
// Runs passes until the window is closed.
void RunMainLoop();
inline constexpr int kLoopWaitMs = 1;
// Stops a running adb child and the adb server, saves the configuration and
// releases the libraries.
void EndProgram();

}  // namespace kv

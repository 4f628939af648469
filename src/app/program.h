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
// Runs passes with the 1 ms wait until the window is closed.
void RunMainLoop();
inline constexpr int kLoopWaitMs = 1;
// Stops a running adb child and the adb server, saves the configuration and
// releases the libraries.
void EndProgram();

}  // namespace kv

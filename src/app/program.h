// The program's spine: start-up, the main window, the main loop and shutdown.
#pragma once

#include "runtime/text.h"

namespace kv {

// Gadget numbers of the main window's named gadgets, looked up once at
// start-up; -1 for a name the window does not hold.
struct MainGadgets {
  int window = -1;  // wndADB
  int cmdCWrite = -1, cmdGenCopy = -1, cmdGenReload = -1, cmdOSetADBPath = -1;
  int cmdSDisable = -1, cmdSDump = -1, cmdSEnable = -1, cmdSReinstall = -1, cmdSUninstall = -1;
  int cmdUDisable = -1, cmdUDump = -1, cmdUEnable = -1, cmdUUninstall = -1;
  int lblOADBPath = -1, lblWarn = -1;
  int lstCGlobal = -1, lstCSecure = -1, lstCSystem = -1, lstDInfo = -1;
  int lstSDisabled = -1, lstSEnabled = -1, lstSLibraries = -1, lstSModules = -1, lstSUninstalled = -1;
  int lstUDisabled = -1, lstUEnabled = -1;
  int panC = -1, panD = -1, panMain = -1, panS = -1, panU = -1;
  int txtCNewValue = -1, txtCSelected = -1, txtGenStatus = -1, txtOADBPath = -1;
  int txtSSelected = -1, txtUSelected = -1;
};

extern MainGadgets GADGETS;

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

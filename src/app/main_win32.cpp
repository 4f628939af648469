// The Windows entry point.
#include <windows.h>
#include <timeapi.h>

#include "app/config_file.h"
#include "app/program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Without it the main loop's 1 ms wait lasts a whole scheduler tick (about
  // 15.6 ms), and every pass the adb channel needs pays for it.
  timeBeginPeriod(1);
  // The description is a constant of the program: only a platform that
  // refuses the window fails to start.
  int status = 1;
  kv::Program program(kv::ConfigFilePath());
  if (program.Start()) {
    program.RunMainLoop();
    program.End();
    status = 0;
  }
  timeEndPeriod(1);
  return status;
}

// The Windows entry point.
#include <windows.h>
#include <timeapi.h>

#include <cstdio>

#include "app/config_file.h"
#include "app/program.h"

namespace {

// A start that fails must not look like nothing happened: the line goes to
// standard error and, where a window can be shown, into a message box.
void ReportStartFailure(const kv::Text& why) {
  std::fprintf(stderr, "%s\n", kv::EncodeUtf8(why).c_str());
  std::fflush(stderr);
  MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(why.c_str()), L"Kestrelvane",
              MB_OK | MB_ICONERROR);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Without it the main loop's 1 ms wait lasts a whole scheduler tick (about
  // 15.6 ms), and every pass the adb channel needs pays for it.
  timeBeginPeriod(1);
  int status = 1;
  kv::Program program(kv::ConfigFilePath());
  if (program.Start()) {
    program.RunMainLoop();
    program.End();
    status = 0;
  } else {
    ReportStartFailure(program.startFailure);
  }
  timeEndPeriod(1);
  return status;
}

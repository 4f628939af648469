// The Windows entry point.
#include <windows.h>

#include "program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The description is a constant of the program: only a platform that
  // refuses the window gets here.
  if (!kv::StartProgram()) return 1;
  kv::RunMainLoop();
  kv::EndProgram();
  return 0;
}

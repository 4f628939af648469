// The entry point on Linux desktops.
#include <cstdio>

#include "app/config_file.h"
#include "app/program.h"

int main() {
  kv::Program program(kv::ConfigFilePath());
  if (!program.Start()) {
    // Most often there is no display to show the reason on.
    std::fprintf(stderr, "%s\n", kv::EncodeUtf8(program.startFailure).c_str());
    return 1;
  }
  program.RunMainLoop();
  program.End();
  return 0;
}

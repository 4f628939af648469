#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>

#include "kvconfig.h"

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  std::vector<kv::Text> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i], argv[i] + std::wcslen(argv[i]));
  return kv::RunKvconfig(args);
}

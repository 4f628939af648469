#include <cwchar>

#include "preview.h"

int wmain(int argc, wchar_t** argv) {
  std::vector<kv::Text> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i], argv[i] + std::wcslen(argv[i]));
  return kv::RunDialogPreview(args, true);
}

#include "preview.h"

// The headless toolkit shows nothing, so there is no window to keep open.
int main(int argc, char** argv) {
  std::vector<kv::Text> args;
  for (int i = 1; i < argc; ++i) args.push_back(kv::DecodeUtf8(argv[i]));
  return kv::RunDialogPreview(args, false);
}

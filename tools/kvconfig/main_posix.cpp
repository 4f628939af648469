#include "kvconfig.h"

int main(int argc, char** argv) {
  std::vector<kv::Text> args;
  for (int i = 1; i < argc; ++i) args.push_back(kv::DecodeUtf8(argv[i]));
  return kv::RunKvconfig(args);
}

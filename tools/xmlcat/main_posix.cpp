#include "xmlcat.h"

int main(int argc, char** argv) {
  std::vector<kv::Text> args;
  for (int i = 1; i < argc; ++i) args.push_back(kv::DecodeUtf8(argv[i]));
  return kv::RunXmlcat(args);
}

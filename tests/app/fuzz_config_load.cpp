// Loads whatever the fuzzer makes up as a packed configuration file. Whatever
// loads must save again and load back as the same record.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/config_file.h"
#include "storage/data_file.h"

using namespace kv;

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

std::string TempName(const char* what) {
  return "/tmp/kv-fuzz-config-" + std::to_string(getpid()) + what;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string input = TempName(".cfg");
  static const std::string saved = TempName("-saved.cfg");
  InitFileLibrary();
  std::ofstream(input, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  Config record{7, u"marker"};
  int result = LoadConfig(record, DecodeUtf8(input), true);
  Require(result >= ConfigDone && result <= ConfigNoFile);
  if (result != ConfigDone) {
    Require(record.isValid == 7 && record.ADBPath == u"marker");
    return 0;
  }
  // Escaping can take a path that loaded past what a save writes.
  int saveResult = SaveConfig(record, DecodeUtf8(saved), true, false);
  Require(saveResult == ConfigDone || saveResult == ConfigNotPacked);
  if (saveResult == ConfigDone) {
    Config again;
    Require(LoadConfig(again, DecodeUtf8(saved), true) == ConfigDone);
    Require(again.isValid == record.isValid && again.ADBPath == record.ADBPath);
  }
  return 0;
}

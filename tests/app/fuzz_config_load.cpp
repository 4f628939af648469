// Loads whatever the fuzzer makes up as a packed configuration file. The first
// byte picks the way in: the rest is the file, or the rest is soundly packed
// so that the fuzzer gets past zlib's check to the XML and the record. Whatever
// loads must save again and load back as the same record.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/config_file.h"
#include "storage/data_file.h"
#include "storage/packer.h"

using namespace kv;

namespace {

// In memory where there is such a file system: a save flushes its file.
std::string TempName(const char* what) {
  std::string directory = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  return directory + "/kv-fuzz-config-" + std::to_string(getpid()) + what;
}

const std::string input = TempName(".cfg");
const std::string saved = TempName("-saved.cfg");

// A finding ends the process: its files go first.
void Require(bool condition) {
  if (condition) return;
  std::remove(input.c_str());
  std::remove(saved.c_str());
  std::abort();
}

std::vector<uint8_t> Packed(const uint8_t* data, size_t size) {
  std::vector<uint8_t> file(4 + size * 2 + 64);
  for (int i = 0; i < 4; ++i) file[i] = static_cast<uint8_t>(size >> (8 * i));
  RegisterZipPacker();
  auto length = static_cast<int64_t>(size);
  int64_t packed = CompressBlock(data, length, file.data() + 4, length * 2 + 64, ZipPacker);
  Require(packed > 0);
  file.resize(4 + static_cast<size_t>(packed));
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  InitFileLibrary();
  std::vector<uint8_t> bytes = data[0] & 1 ? Packed(data + 1, size - 1)
                                           : std::vector<uint8_t>(data + 1, data + size);
  std::ofstream(input, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));

  Config record{7, u"marker"};
  int result = LoadConfig(record, DecodeUtf8(input), true);
  // Rewriting one file in place makes some file systems flush it at every run.
  std::remove(input.c_str());
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
    std::remove(saved.c_str());
    Require(again.isValid == record.isValid && again.ADBPath == record.ADBPath);
  }
  return 0;
}

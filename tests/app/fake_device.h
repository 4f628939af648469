// A private copy of the fake adb in a fresh folder: its device state, its
// behaviour file and its invocation log live beside it.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/text.h"

namespace kv::test {

class FakeDevice {
 public:
  explicit FakeDevice(const std::string& name) {
    folder_ = std::filesystem::temp_directory_path() / ("kv-" + name);
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    std::filesystem::path adb(KV_FAKEADB);
    std::filesystem::copy_file(adb, folder_ / adb.filename());
    adb_ = folder_ / adb.filename();
  }
  ~FakeDevice() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  Text AdbPath() const { return Text(adb_.u16string()); }
  void Behave(const std::string& conf) const { std::ofstream(folder_ / "fakeadb.conf") << conf; }
  void SetDevice(const std::string& state) const { std::ofstream(folder_ / "device.txt") << state; }
  std::string Invocations() const { return Read("invocations.log"); }
  std::string Device() const { return Read("device.txt"); }

 private:
  std::string Read(const char* file) const {
    std::ifstream in(folder_ / file);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::filesystem::path folder_, adb_;
};

}  // namespace kv::test

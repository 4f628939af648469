// Packed configuration files made and read with zlib directly, apart from the
// code under test.
#pragma once

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "app/config_file.h"
#include "storage/data_file.h"
#include "storage/temp_dir.h"

constexpr std::string_view kGoldenXml =
    "<CONFIG><isValid>1</isValid><ADBPath>C:\\adb\\ADB.exe</ADBPath></CONFIG>";

// The stored length, then data deflated at level 6.
inline Bytes PackedFile(std::string_view data, std::int32_t storedLength) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  Bytes bytes(4 + size);
  for (int i = 0; i < 4; ++i) {
    bytes[i] = static_cast<unsigned char>(static_cast<std::uint32_t>(storedLength) >> (8 * i));
  }
  compress2(bytes.data() + 4, &size, reinterpret_cast<const Bytef*>(data.data()),
            static_cast<uLong>(data.size()), 6);
  bytes.resize(4 + size);
  return bytes;
}

inline Bytes PackedFile(std::string_view data) {
  return PackedFile(data, static_cast<std::int32_t>(data.size()));
}

inline std::int32_t StoredLength(const Bytes& file) {
  std::uint32_t length = 0;
  for (int i = 3; i >= 0; --i) length = length << 8 | file.at(i);
  return static_cast<std::int32_t>(length);
}

// What the stream after the length inflates to; empty when it does not.
inline std::string Inflate(const Bytes& file) {
  std::string data(std::max(StoredLength(file), 0), '\0');
  uLongf size = static_cast<uLongf>(data.size());
  if (uncompress(reinterpret_cast<Bytef*>(data.data()), &size, file.data() + 4,
                 static_cast<uLong>(file.size() - 4)) != Z_OK) {
    return {};
  }
  data.resize(size);
  return data;
}

// Found by argument-dependent lookup, so in the record's namespace.
namespace kv {

inline bool operator==(const Config& a, const Config& b) {
  return a.isValid == b.isValid && a.ADBPath == b.ADBPath;
}

inline void PrintTo(const Config& record, std::ostream* out) {
  *out << "{" << int{record.isValid} << ", \"" << EncodeUtf8(record.ADBPath) << "\"}";
}

}  // namespace kv

struct ConfigFileTest : ::testing::Test {
  static void SetUpTestSuite() { kv::InitFileLibrary(); }

  TempDir dir;
  std::filesystem::path file = dir.Path(u"prog.exe.cfg");
  kv::Text path = file.u16string();
};

// The configuration file: the CONFIG record as XML, either packed (a 4-byte
// little-endian length U, then a zlib stream that inflates to exactly U bytes
// of XML, zero-padded to at least 64) or as a plain XML file.
#pragma once

#include <cstdint>
#include <memory>

#include "app/config_record.h"
#include "runtime/text.h"
#include "storage/memory_block.h"

namespace kv {

// Results of LoadConfig and SaveConfig.
enum ConfigResult : int {
  ConfigDone = 0,
  ConfigNoXml = 1,       // no usable XML / the document could not be built
  ConfigNotPacked = 2,   // inflating or deflating failed, or no buffer
  ConfigNoFile = 3,      // the file could not be read / written completely
};

// The largest U that loads and that a save writes: a damaged or hostile file
// must not make the program allocate gigabytes.
constexpr std::int32_t kMaxConfigLength = 1 << 20;

// The XML of a packed file is at least this long; zero bytes fill it up.
constexpr std::int32_t kMinConfigLength = 64;

// The file the program keeps its configuration in: on Windows its own path
// + ".cfg"; elsewhere "kestrelvane/kestrelvane.cfg" in the user's
// configuration folder (XDG_CONFIG_HOME, else ~/.config), which is made
// when missing. Each platform's file supplies it.
Text ConfigFilePath();

// Reads the record from path. Any result but ConfigDone leaves it untouched;
// fields the XML does not name become zero or empty.
int LoadConfig(Config& record, TextView path, bool packed);

// Writes the record to path. The complete new file is written beside the old
// one and then put in its place, so a failed save leaves the old file as it
// was (a read-only one too is replaced).
int SaveConfig(const Config& record, TextView path, bool packed, bool indented);

struct FreeBlockDeleter {
  void operator()(unsigned char* block) const { FreeBlock(block); }
};
using BlockPtr = std::unique_ptr<unsigned char, FreeBlockDeleter>;

// What a packed file holds, for LoadConfig and for inspecting files.
struct PackedConfig {
  int result = ConfigNoFile;      // ConfigDone once data holds the inflated bytes
  bool hasLength = false;         // U could be read
  std::int32_t storedLength = 0;  // U
  BlockPtr data;                  // the U inflated bytes
};

PackedConfig ReadPackedConfig(TextView path);

}  // namespace kv

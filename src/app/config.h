// The program's one configuration record.
#pragma once

#include <cstdint>

#include "runtime/text.h"

namespace kv {

struct Config {
  std::uint8_t isValid = 0;  // 1 once the record holds usable values
  Text ADBPath;              // full path of the adb executable
};

extern Config CONFIG;

}  // namespace kv

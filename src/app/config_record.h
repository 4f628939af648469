// The configuration record of the program and how it is stored as XML.
#pragma once

#include <cstdint>

#include "runtime/text.h"
#include "xml/record_descriptor.h"

namespace kv {

struct Config {
  uint8_t isValid = 0;  // 1 once the record holds usable values
  Text ADBPath;         // full path of the adb executable
};

// <CONFIG><isValid>..</isValid><ADBPath>..</ADBPath></CONFIG>
extern const RecordDescriptor ConfigDescriptor;

}  // namespace kv

// The configuration record of the program and how it is stored as XML.
#pragma once

#include <cstdint>

#include "runtime/text.h"
#include "xml/record_descriptor.h"

namespace kv {

struct Config {
  uint8_t isValid = 0;  // 1 once the record holds usable values
  Text ADBPath;         // full path of the adb executable
  Text DeviceSerial;    // the device every command names, empty for the only one
};

// <CONFIG><isValid>..</isValid><ADBPath>..</ADBPath></CONFIG>
extern const RecordDescriptor ConfigDescriptor;
// The same with <DeviceSerial>..</DeviceSerial> last.
extern const RecordDescriptor ConfigWithDeviceDescriptor;

// A record without a chosen device is stored as it always was, so files
// stay the same for those who never choose one; reading takes either form.
const RecordDescriptor& StoredDescriptorOf(const Config& record);

}  // namespace kv

#include "app/config_record.h"

namespace kv {

namespace {

constexpr RecordField kConfigFields[] = {
    Field<&Config::isValid>(TypeUInt8, "isValid"),
    Field<&Config::ADBPath>(TypeString, "ADBPath$"),
};

constexpr RecordField kConfigWithDeviceFields[] = {
    Field<&Config::isValid>(TypeUInt8, "isValid"),
    Field<&Config::ADBPath>(TypeString, "ADBPath$"),
    Field<&Config::DeviceSerial>(TypeString, "DeviceSerial$"),
};

}  // namespace

constinit const RecordDescriptor ConfigDescriptor{"CONFIG", kConfigFields};
constinit const RecordDescriptor ConfigWithDeviceDescriptor{"CONFIG", kConfigWithDeviceFields};

const RecordDescriptor& StoredDescriptorOf(const Config& record) {
  return record.DeviceSerial.empty() ? ConfigDescriptor : ConfigWithDeviceDescriptor;
}

}  // namespace kv

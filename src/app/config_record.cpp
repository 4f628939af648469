#include "app/config_record.h"

namespace kv {

namespace {

constexpr RecordField kConfigFields[] = {
    Field<&Config::isValid>(TypeUInt8, "isValid"),
    Field<&Config::ADBPath>(TypeString, "ADBPath$"),
};

}  // namespace

constinit const RecordDescriptor ConfigDescriptor{"CONFIG", kConfigFields};

}  // namespace kv

#include "app/config_file.h"
#include "process/process.h"

namespace kv {

Text ConfigFilePath() { return OwnExecutablePath() + u".cfg"; }

}  // namespace kv

#include "config.h"

namespace kv {

Config CONFIG;

}  // namespace kv

// The xmlcat tool behind its platform's entry point.
#pragma once

#include <vector>

#include "runtime/text.h"

namespace kv {

// args without the program name; returns the exit status.
int RunXmlcat(const std::vector<Text>& args);

}  // namespace kv

// The kvconfig tool behind its platform's entry point.
#pragma once

#include <vector>

#include "runtime/text.h"

namespace kv {

// args without the program name; returns the exit status.
int RunKvconfig(const std::vector<Text>& args);

}  // namespace kv

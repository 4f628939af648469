// The dialog-preview tool behind its platform's entry point.
#pragma once

#include <vector>

#include "runtime/text.h"

namespace kv {

// args without the program name. canKeepOpen: the platform shows windows, so
// --keep-open may wait for the user to close the window. Returns the exit
// status.
int RunDialogPreview(const std::vector<Text>& args, bool canKeepOpen);

}  // namespace kv

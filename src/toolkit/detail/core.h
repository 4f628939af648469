// Links between the core's own files.
#pragma once

#include "toolkit/windows.h"

namespace kv::detail {

// The gadget parents kept for a window go with it.
void ForgetGadgetParents(Handle window);
void ResetGadgetParents();

// Events stay quiet while the program itself changes a gadget.
class SuspendedEvents {
 public:
  SuspendedEvents();
  ~SuspendedEvents();
  SuspendedEvents(const SuspendedEvents&) = delete;
  SuspendedEvents& operator=(const SuspendedEvents&) = delete;
};

}  // namespace kv::detail

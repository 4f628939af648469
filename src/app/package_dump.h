// Dump: what the device's package manager knows of one package, shown on the
// DEVICE tab's DUMP page.
#pragma once

#include "app/command_channel.h"

namespace kv {

struct Program;

// The steps of "shell dumpsys package NAME": as it begins, the DUMP page is
// shown, emptied; at its end it holds the answer's lines in output order.
CommandSteps DumpSteps(Program& program);

}  // namespace kv

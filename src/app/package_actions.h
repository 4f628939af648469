// The package actions of the USER and SYSTEM tabs: confirmation, the adb
// command, and the lists moved by adb's answer.
#pragma once

#include "app/command_channel.h"
#include "runtime/text.h"

namespace kv {

struct Program;
struct PackageTab;

enum class Action { Uninstall, Reinstall, Dump, Disable, Enable };

// Acts on the package picked on tab, after the user confirmed it.
void Act(Program& program, Action action, const PackageTab& tab);

// The steps of an enable or disable: each answer line "Package NAME new
// state: STATE" moves NAME between tab's lists and is shown in the status
// field.
CommandSteps StateChangeSteps(Program& program, const PackageTab& tab);

}  // namespace kv

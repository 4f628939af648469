// Reload: the twelve queries that fill every tab from the device, how each
// fills its list, and the counts in the tab titles.
#pragma once

#include "app/command_channel.h"
#include "runtime/text.h"

namespace kv {

struct Program;
struct MainGadgets;

// Queues the twelve queries, or reports "ADB.exe not found" and shows the
// SETTINGS tab when the adb path names no file and, for the default path,
// no adb is found where it usually lies.
void Reload(Program& program);

// The end of every command: the tab titles get their counts again, and a
// failure, which may have printed nothing on standard output, reaches the
// status field in one line of adb's own words.
void FinishCommand(Program& program, const CommandOutcome& outcome);

// "USER [n]", "ENABLED [n]", ... from the lists' current item counts.
void UpdateTabTitles(const MainGadgets& g);

}  // namespace kv

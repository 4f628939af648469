// Reload: the twelve queries that fill every tab from the device, their line
// handlers, and the counts in the tab titles.
#pragma once

#include "runtime/text.h"

namespace kv {

// Queues the twelve queries, or reports "ADB.exe not found" and shows the
// SETTINGS tab when the adb path names no file.
void Reload();

void ParseGenericList(const Text& line, int phase, const Text& commandKey);
void ParseUserPackageList(const Text& line, int phase, const Text& commandKey);
void ParseSystemPackageList(const Text& line, int phase, const Text& commandKey);

// "USER [n]", "ENABLED [n]", ... from the lists' current item counts.
void UpdateTabTitles();

// The index of the item whose text equals name without regard to case, or
// -1. Leaves the list's visible selection alone.
int FindListItem(int list, TextView name);

// Shows in the status field why the command whose end call is being made
// failed, when it did.
void ShowCommandFailure();

}  // namespace kv

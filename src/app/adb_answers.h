// Reading adb's answers: pure functions over its output lines and over how a
// command ended, shared by the list loads and the package actions.
#pragma once

#include <optional>
#include <vector>

#include "app/command_channel.h"
#include "runtime/text.h"

namespace kv {

// The n-th field (from 1) of text split at separator, matched as a whole; a
// field beyond the last separator is empty.
TextView SplitField(TextView text, TextView separator, int n);

// "package:NAME" (prefix in any case) gives NAME, up to a further colon;
// nothing for other lines.
std::optional<Text> PackageOfListLine(TextView line);

// "Package NAME new state: STATE", words compared without regard to case.
struct StateChange {
  Text name;   // as adb wrote it
  Text state;  // folded to lower case: "enabled", "disabled-user", ...
};
std::optional<StateChange> StateChangeOfLine(TextView line);

// A line of the "devices" answer, "SERIAL<tab>STATE" (STATE: device,
// unauthorized, offline, "no permissions (...)"); nothing for its heading
// and other lines.
struct AttachedDevice {
  Text serial;
  Text state;
};
std::optional<AttachedDevice> DeviceOfListLine(TextView line);

bool IsUninstallSuccess(TextView line);  // exactly "success", any case
bool IsInstalledForUser(TextView line);  // holds " installed for user:", any case

// Ascending without regard to case; equal items keep their order.
void SortNoCase(std::vector<Text>& items);

// Android's package-name form: dot-separated segments of ASCII letters,
// digits and underscores, each starting with a letter. Anything else must
// not reach the device's shell, which would read it as more than a name.
bool IsPackageName(TextView name);

// One line saying why a command failed, or empty text when it did not. adb
// names failures on standard error and exits non-zero; a non-zero status
// alone is not a failure (module info exits with 1 when it succeeds).
Text FailureOfCommand(const CommandOutcome& outcome, TextView adbPath);

}  // namespace kv

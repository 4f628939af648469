// Enable, disable, uninstall and re-install of the picked package, each
// after a confirmation, and the handlers that move it between the lists
// according to adb's answer.
#pragma once

#include "runtime/text.h"

namespace kv {

void OnPackageAction();

void ParseUserStateChange(const Text& line, int phase, const Text& commandKey);
void ParseSystemStateChange(const Text& line, int phase, const Text& commandKey);
void ParseUserUninstall(const Text& line, int phase, const Text& commandKey);
void ParseSystemUninstall(const Text& line, int phase, const Text& commandKey);
void ParseReinstall(const Text& line, int phase, const Text& commandKey);

}  // namespace kv

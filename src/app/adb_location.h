// Where adb is: the configured path, by default adb beside the program, or,
// while the user has not set one, where adb usually lies.
#pragma once

#include <vector>

#include "runtime/text.h"

namespace kv {

// The name of the adb beside the program: "ADB.exe" on Windows, "adb"
// elsewhere. Each platform's file supplies it.
extern const char16_t kAdbFileName[];

// The program's own folder followed by kAdbFileName.
Text DefaultAdbPath();

// The first adb executable that exists among AdbCandidates(), or empty text.
Text FindInstalledAdb();

// Where adb usually lies, in the order looked at: each folder of PATH, and
// on Windows then the platform-tools folder of the user's Android SDK under
// %LOCALAPPDATA%. Each platform's file supplies it.
std::vector<Text> AdbCandidates();

// The folders a PATH value lists, in order: split at separator, the double
// quotes Windows allows around one removed, empty ones left out.
std::vector<Text> FoldersOfPathList(TextView value, char16_t separator);

}  // namespace kv

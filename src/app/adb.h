// What the program sends to adb and what it relies on in the answers.
#pragma once

#include <cstdint>

#include "process/process.h"
#include "runtime/text.h"

namespace kv::adb {

// Queries and actions: hidden, all three streams piped, output read as UTF-8.
constexpr std::uint32_t kCommandFlags = KeepHandle | PipeOutput | PipeInput | PipeError | HideWindow;
// "kill-server" at shutdown: hidden, no pipes, not waited for.
constexpr std::uint32_t kKillServerFlags = HideWindow;

constexpr TextView kDevices = u"devices";
constexpr TextView kListLibraries = u"shell pm list libraries";
constexpr TextView kListModules = u"shell pm get-moduleinfo --installed";
constexpr TextView kDumpsysList = u"shell dumpsys -l";
constexpr TextView kSettingsGlobal = u"shell settings list global";
constexpr TextView kSettingsSecure = u"shell settings list secure";
constexpr TextView kSettingsSystem = u"shell settings list system";
constexpr TextView kUserEnabled = u"shell pm list packages -3 -e";
constexpr TextView kUserDisabled = u"shell pm list packages -3 -d";
constexpr TextView kSystemEnabled = u"shell pm list packages -s -e";
constexpr TextView kSystemDisabled = u"shell pm list packages -s -d";
constexpr TextView kSystemAll = u"shell pm list packages -s -u";
constexpr TextView kKillServer = u"kill-server";

// Actions: the package name is appended unquoted.
constexpr TextView kEnable = u"shell pm enable --user 0 ";
constexpr TextView kDisable = u"shell pm disable-user --user 0 ";
constexpr TextView kUninstall = u"shell pm uninstall --user 0 ";
constexpr TextView kInstallExisting = u"shell pm install-existing --user 0 ";
// Followed by a package name.
constexpr TextView kDumpPackage = u"shell dumpsys package ";
// Followed by TABLE NAME, and for a write by the value as one shell word.
constexpr TextView kSettingsPut = u"shell settings put ";
constexpr TextView kSettingsGet = u"shell settings get ";
// Put before the parameters of every command but kill-server, followed by
// the chosen device's serial.
constexpr TextView kDeviceOption = u"-s ";

// Answers relied on.
constexpr TextView kPackagePrefix = u"package:";  // one package a line
constexpr TextView kStateEnabled = u"enabled";
constexpr TextView kStateDisabled = u"disabled-user";
constexpr TextView kUninstallSuccess = u"success";  // any letter case
constexpr TextView kInstalledForUser = u" installed for user:";

}  // namespace kv::adb

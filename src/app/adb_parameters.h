// Words the program puts into adb's parameters: which names may stand there
// as they are, and how a free text is written so that it arrives whole.
#pragma once

#include "runtime/text.h"

namespace kv {

// A setting's name as the settings tables hold them (adb_enabled,
// bluetooth_a2dp_sink_priority_00:11:22:33:44:55): ASCII letters, digits and
// "_ . - : + @", not starting with "-". The device's shell reads anything
// else as more than a name.
bool IsSettingName(TextView name);

// A device serial as adb lists it (emulator-5554, 192.168.1.20:5555,
// adb-R58M41XYZ2A-x1Y2z3._adb-tls-connect._tcp): ASCII letters, digits and
// "_ . - :", not starting with "-".
bool IsDeviceSerial(TextView serial);

// text as one word for the device's shell, single-quoted (a ' becomes
// '\''), and that word as one parameter of adb's own command line, which
// adb joins with blanks and hands to the shell. Any text arrives as it is.
Text DeviceShellWord(TextView text);

}  // namespace kv

// The main window, described as data for the dialog engine.
#pragma once

#include "runtime/text.h"

namespace kv {

// A "dialogs" root holding the one window, wndADB: five tabs (USER, SYSTEM,
// CONFIG, DEVICE, SETTINGS) above a status field with Reload and Copy list.
// Single-quoted attributes, elements separated by tabs, no line breaks.
extern const TextView kMainWindowDescription;
inline constexpr TextView kMainWindowName = u"wndADB";

}  // namespace kv

// The SETTINGS tab's adb path, and the CONFIG tab's Write placeholder.
#pragma once

namespace kv {

// Typing in the path field sets the adb path at once; the button asks for
// the file.
void OnAdbPathEvent();
void OnWriteSetting();

}  // namespace kv

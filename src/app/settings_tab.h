// The SETTINGS tab's adb path.
#pragma once

namespace kv {

struct Program;

// A change the user types into the path field applies at once, unchecked.
void OnAdbPathTyped(Program& program);
// The file requester for the adb executable.
void ChooseAdbPath(Program& program);

}  // namespace kv

// The device every command names, chosen on the SETTINGS tab among those the
// last "devices" answer listed; the first entry, "the only device", names
// none, as adb needs when one device is attached.
#pragma once

#include <span>

#include "runtime/text.h"

namespace kv {

struct Program;

// At start-up: the first entry and the configured device, shown chosen. A
// configured serial that is no device serial is forgotten.
void ShowDeviceChoice(Program& program);

// At the end of the "devices" query: its devices become the entries, as
// "SERIAL  STATE", and the chosen device stays chosen, listed or not. With
// several devices and none chosen every query fails, so the SETTINGS tab is
// shown.
void TakeAttachedDevices(Program& program, std::span<const Text> answer);

// The user's choice: the serial later commands name, or none.
void ChooseDevice(Program& program);

}  // namespace kv

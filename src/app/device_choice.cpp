#include "app/device_choice.h"

#include <vector>

#include "app/adb_answers.h"
#include "app/adb_parameters.h"
#include "app/program.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"

namespace kv {

namespace {

constexpr TextView kOnlyDevice = u"the only device";

// Entries after the first start with the serial, which holds no blank.
TextView SerialOfEntry(TextView entry) {
  return SplitField(entry, u" ", 1);
}

int EntryOf(int list, TextView serial) {
  if (serial.empty()) return 0;
  for (int entry = 1; entry < GadgetItemCount(list); ++entry) {
    if (SerialOfEntry(ReadGadgetItemText(list, entry)) == serial) return entry;
  }
  return -1;
}

// A device whose serial is no device serial is left out: no command could
// name it safely.
void FillChoice(Program& program, std::span<const AttachedDevice> devices) {
  int list = program.g.cmbODevice;
  const Text& chosen = program.config.DeviceSerial;
  ClearGadget(list);
  InsertGadgetItem(list, -1, kOnlyDevice);
  for (const AttachedDevice& device : devices) {
    if (IsDeviceSerial(device.serial))
      InsertGadgetItem(list, -1, device.serial + u"  " + device.state);
  }
  if (EntryOf(list, chosen) == -1) InsertGadgetItem(list, -1, chosen);
  WriteGadgetState(list, EntryOf(list, chosen));
}

}  // namespace

void ShowDeviceChoice(Program& program) {
  if (!IsDeviceSerial(program.config.DeviceSerial)) program.config.DeviceSerial.clear();
  FillChoice(program, {});
}

void TakeAttachedDevices(Program& program, std::span<const Text> answer) {
  std::vector<AttachedDevice> devices;
  for (const Text& line : answer) {
    if (std::optional<AttachedDevice> device = DeviceOfListLine(line)) devices.push_back(*device);
  }
  FillChoice(program, devices);
  if (devices.size() > 1 && program.config.DeviceSerial.empty()) {
    // The program's own tab switch raises no change event: the path field is
    // filled here.
    WriteGadgetText(program.g.txtOADBPath, program.AdbPath());
    WriteGadgetState(program.g.panMain, TabSettings);
  }
}

void ChooseDevice(Program& program) {
  if (CurrentEventType() != ET_CHANGE) return;
  int list = program.g.cmbODevice;
  int entry = ReadGadgetState(list);
  program.config.DeviceSerial =
      entry > 0 ? Text(SerialOfEntry(ReadGadgetItemText(list, entry))) : Text();
}

}  // namespace kv

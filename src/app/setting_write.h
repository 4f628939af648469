// Write on the CONFIG tab: the value typed for the picked setting is put on
// the device after a confirmation, read back, and shown as the device kept it.
#pragma once

namespace kv {

struct Program;

void WriteSetting(Program& program);

}  // namespace kv

// Check boxes, options and value gadgets: stand-in controls that show the
// state the core keeps.
#include "kinds.h"

namespace kv::platform {

using headless::Control;
using headless::ControlClass;

const KindRecord& CheckBoxRecord() {
  static const KindRecord record{.cls = ControlClass::Check, .keepsText = true};
  return record;
}

const KindRecord& OptionRecord() {
  static const KindRecord record{.cls = ControlClass::Check, .keepsText = true};
  return record;
}

const KindRecord& ProgressBarRecord() {
  static const KindRecord record{.cls = ControlClass::Value};
  return record;
}

const KindRecord& TrackBarRecord() {
  static const KindRecord record{.cls = ControlClass::Value};
  return record;
}

const KindRecord& ScrollBarRecord() {
  static const KindRecord record{.cls = ControlClass::Value};
  return record;
}

const KindRecord& SpinRecord() {
  static const KindRecord record{.cls = ControlClass::Spin};
  return record;
}

void ShowCheck(Handle handle, int state) {
  if (Control* control = headless::FindControl(handle)) control->check = state;
}

void ShowValue(Handle handle, int, const ValueRange& range) {
  if (Control* control = headless::FindControl(handle)) control->range = range;
}

}  // namespace kv::platform

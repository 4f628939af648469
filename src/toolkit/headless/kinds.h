// The headless gadget kinds: records over the controls of controls.h.
#pragma once

#include "controls.h"
#include "toolkit/platform.h"
#include "toolkit/reports.h"

namespace kv::platform {

// A headless kind: the stand-in control it gets and its slots.
struct KindRecord {
  headless::ControlClass cls = headless::ControlClass::Static;
  bool keepsText = false;  // the control holds the text it was created with
  // Set-up of a new control beyond its class, flags and rectangle.
  void (*made)(headless::Control&) = nullptr;
  GadgetKind slots;
};

}  // namespace kv::platform

namespace kv::headless {

using platform::KindRecord;

// The folder the folder-browsing kinds take for the file system's root.
Text FileSystemRoot();

// The headless screen paints nothing, so a colour has nothing to show.
void ShowColor(GadgetObject& gadget, int which);

// The control of a live gadget.
Control& ControlOf(const GadgetObject& gadget);

// Text on the fixed character cells of metrics.h, in pixels.
PixelSize MeasureLine(TextView text);
PixelSize MeasureLines(TextView text);  // "\r\n", "\r" and "\n" break lines

// The user types one character at the end of a field or editor.
void TypeCharacter(GadgetObject& gadget, char16_t c);

// The user clicks a list row with the left button: the list's selection and
// the toolkit's press tracking both see it.
void ClickRow(GadgetObject& list, int item);
// The same on a multi-column list or a tree, which also report the change
// of their current item.
void ClickItem(GadgetObject& list, int item);

}  // namespace kv::headless

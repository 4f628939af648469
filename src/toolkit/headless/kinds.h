// The headless gadget kinds: operation slots over the controls of controls.h.
#pragma once

#include "controls.h"
#include "toolkit/backend.h"

namespace kv::headless {

const GadgetKind& ButtonKind();
const GadgetKind& StringKind();
const GadgetKind& TextKind();
const GadgetKind& ListViewKind();
const GadgetKind& EditorKind();
const GadgetKind& PanelKind();
const GadgetKind& ComboBoxKind();
const GadgetKind& ListIconKind();
const GadgetKind& TreeKind();
const GadgetKind& DateKind();
const GadgetKind& CalendarKind();
const GadgetKind& IpAddressKind();
const GadgetKind& ShortcutKind();
const GadgetKind& HyperLinkKind();
const GadgetKind& ImageKind();
const GadgetKind& ButtonImageKind();

// The folder the folder-browsing kinds take for the file system's root.
Text FileSystemRoot();

// The headless screen paints nothing, so a colour has nothing to show.
void ShowColor(GadgetObject& gadget, int which);

// The control of a live gadget.
Control& ControlOf(const GadgetObject& gadget);

// Text on the fixed character cells of metrics.h, in pixels.
PixelSize MeasureLine(TextView text);
PixelSize MeasureLines(TextView text);  // "\r\n", "\r" and "\n" break lines

// A panel's tab selection as both the program and the user change it.
void SelectTab(Control& panel, int index);

// The user types one character at the end of a field or editor.
void TypeCharacter(GadgetObject& gadget, char16_t c);

// The user clicks a list row with the left button: the list's selection and
// the toolkit's press tracking both see it.
void ClickRow(GadgetObject& list, int item);
// The same on a multi-column list or a tree, which also report the change
// of their current item.
void ClickItem(GadgetObject& list, int item);

}  // namespace kv::headless

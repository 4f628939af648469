// The seam between the toolkit's portable core and one platform backend, as
// a backend sees it: what it reports to the core of what happens on the
// platform, and the rules every backend's slots share. The core applies the
// portable rules to each report (ready flag, size-event replacement,
// suppression, collapse, handler dispatch) and cleans up when a window or
// control is finally destroyed. What the core calls in a backend is in
// platform.h.
#pragma once

#include "platform.h"

namespace kv {

GadgetObject* FindGadgetObject(int gadget);

// ---- Windows -----------------------------------------------------------------

enum class SizeChange { Restored, Minimized, Maximized, Other };

// The platform's window events, each for the window itself.
void OnWindowClose(int window);
void OnWindowMoved(int window);
void OnWindowSized(int window, SizeChange change);
void OnWindowActivated(int window, bool active);
void OnTimer(int window, int timerId);
// The platform's final destruction of a window or gadget control: the core
// unbinds handlers, runs the kind's release slot, drops queued events and
// frees the record (when it still belongs to handle).
void OnWindowDestroyed(int window, Handle handle);
void OnGadgetDestroyed(int gadget, Handle handle);

// ---- Gadgets -----------------------------------------------------------------

// EV_GADGET of the gadget in its window.
void QueueGadgetEvent(const GadgetObject& gadget, int type, int flags = 0);

// A panel's shown page changed size: what lies on it must be placed again,
// so the panel reports ET_RESIZE even while events are suspended.
void OnPanelPageResized(const GadgetObject& panel);

// The user scrolled a scroll area one line or page, or to position (pixels).
enum class ScrollMove { LineBack, LineForward, PageBack, PageForward, To };
void OnScrollAreaScrolled(GadgetObject& area, bool vertical, ScrollMove move, int position = 0);
// Where a splitter's bar is, for drawing it and for the user to take it.
struct SplitterBar {
  PixelRect rect;
  bool vertical = false;  // a vertical splitter's bar runs from top to bottom
};
SplitterBar SplitterBarOf(const GadgetObject& splitter);
// The user dragged the bar so that the first side would be position pixels.
void OnSplitterDragged(GadgetObject& splitter, int position);

// The user clicked a check box or an option.
void OnChoiceClicked(GadgetObject& choice);
// The user moved a value gadget: to value, or by a line or page.
void OnValueMoved(GadgetObject& gadget, int value);
void OnValueStepped(GadgetObject& gadget, ScrollMove move);

// The text of a list view's row, which the core keeps: the platform's list
// only draws it. Empty for a row that does not exist.
const Text& ListRowText(GadgetObject& list, int row);

// ---- Rules the backends' slots share -------------------------------------------

// Required sizes, from text extents in pixels in the gadget's font and the
// platform's 3-D edge size.
PixelSize ButtonRequiredSize(PixelSize text, PixelSize edge);
PixelSize StringRequiredSize(int textHeight, PixelSize edge);
PixelSize TextRequiredSize(PixelSize drawn, bool border, PixelSize edge);
// A check box or option: its mark, a gap and the text.
PixelSize ChoiceRequiredSize(PixelSize text);
// An entry field with a button or arrows beside it, as wide as sample.
PixelSize FieldRequiredSize(PixelSize sample, PixelSize edge, int buttonWidth);

Text DecimalText(int value);
// An IP address as dotted text, and back; false for text that is not four
// fields of 0 to 255.
Text AddressText(int address);
bool ParseAddress(TextView text, int* address);

}  // namespace kv

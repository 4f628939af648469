// Links between the core's own files.
#pragma once

#include "toolkit/backend.h"
#include "toolkit/top_windows.h"

namespace kv::detail {

// The gadget parents kept for a window go with it.
void ForgetGadgetParents(Handle window);
void ResetGadgetParents();

// Creates a gadget of kind inside the current gadget parent, and what the
// New* operations return for it.
GadgetObject* CreateGadget(int kind, int number, int x, int y, int width, int height,
                           TextView text, int flags);
Handle CreationResult(int number, const GadgetObject* gadget);
// The gadget created last and the parent it was created in.
struct Creation {
  int number = 0;
  Handle parent = 0;
};
Creation LastCreation();
Handle NewGadget(int kind, int number, int x, int y, int width, int height, TextView text,
                 int flags);

// The kinds whose behaviour the core writes for every backend; the others'
// tables come from the backend.
const GadgetKind& ContainerKind();
const GadgetKind& CanvasKind();
const GadgetKind& FrameKind();
const GadgetKind& ScrollAreaKind();
const GadgetKind& SplitterKind();
const GadgetKind& CheckBoxKind();
const GadgetKind& OptionKind();
const GadgetKind& ValueKind(int kind);  // progress, track and scroll bars, spins
const GadgetKind& ExplorerKind(int kind);
// Moves a gadget's control and reports ET_RESIZE when its size changed, also
// while events are suspended: what it holds must be placed again.
void PlaceReportingSize(GadgetObject& gadget, const PixelRect& rect);

// Events stay quiet while the program itself changes a gadget.
class SuspendedEvents {
 public:
  SuspendedEvents();
  ~SuspendedEvents();
  SuspendedEvents(const SuspendedEvents&) = delete;
  SuspendedEvents& operator=(const SuspendedEvents&) = delete;
};

}  // namespace kv::detail

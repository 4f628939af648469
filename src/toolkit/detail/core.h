// Links between the core's own files.
#pragma once

#include "toolkit/platform.h"
#include "toolkit/reports.h"
#include "toolkit/top_windows.h"

namespace kv {

// The gadget parent of the calling thread.
Handle CurrentGadgetParent();
void ReplaceGadgetParent(Handle parent);  // in place of the current one, no push

}  // namespace kv

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

// A kind as gadgets of it are made: the backend's record and the slots the
// core's operations call.
struct Kind {
  const platform::KindRecord* record = nullptr;
  const GadgetKind* slots = nullptr;
};
Kind KindOf(int code);  // an unknown code is a text label's

// The slots of the kinds whose behaviour the core writes for every backend,
// wholly or over the backend's own slots (kinds.cpp); the other kinds' slots
// are their backend's.
const GadgetKind& ListViewKind();
const GadgetKind& EditorKind();
const GadgetKind& PanelKind();
const GadgetKind& ContainerKind();
const GadgetKind& CanvasKind();
const GadgetKind& FrameKind();
const GadgetKind& ScrollAreaKind();
const GadgetKind& SplitterKind();
const GadgetKind& CheckBoxKind();
const GadgetKind& OptionKind();
const GadgetKind& ProgressBarKind();
const GadgetKind& TrackBarKind();
const GadgetKind& ScrollBarKind();
const GadgetKind& SpinKind();
const GadgetKind& ExplorerListKind();
const GadgetKind& ExplorerTreeKind();
const GadgetKind& ExplorerComboKind();
// The backend's own slots of a gadget's kind, under the core's rules.
inline const GadgetKind& PlatformSlots(const GadgetObject& gadget) {
  return platform::KindSlots(*gadget.record);
}
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

// Gadgets that hold other gadgets: containers and canvases, and frames,
// which only draw around what lies beside them. Their behaviour is the same
// on every platform; the backend supplies the controls.
#include "detail/core.h"
#include "toolkit/gadgets.h"

namespace kv {

namespace {

// A container's or canvas's own control collects its gadgets.
void OpenItself(GadgetObject& g, int) { PushGadgetParent(g.handle); }

PixelSize CaptionSize(GadgetObject& g) {
  return platform::TextExtent(g.handle, platform::ReadText(g.handle));
}

Handle NewCollecting(int kind, int number, int x, int y, int width, int height, int flags) {
  GadgetObject* gadget = detail::CreateGadget(kind, number, x, y, width, height, {}, flags);
  if (gadget) PushGadgetParent(gadget->handle);
  return detail::CreationResult(number, gadget);
}

}  // namespace

namespace detail {

void PlaceReportingSize(GadgetObject& gadget, const PixelRect& rect) {
  PixelRect before = platform::ControlRect(gadget.handle);
  platform::MoveControl(gadget.handle, rect);
  if (before.width != rect.width || before.height != rect.height) {
    QueueGadgetEvent(gadget, ET_RESIZE, KV_Event_Force);
  }
}

const GadgetKind& ContainerKind() {
  static const GadgetKind kind{
      .code = GK_CONTAINER,
      .place = PlaceReportingSize,
      .openItem = OpenItself,
  };
  return kind;
}

const GadgetKind& CanvasKind() {
  static const GadgetKind kind{
      .code = GK_CANVAS,
      .place = PlaceReportingSize,
      .openItem = OpenItself,
  };
  return kind;
}

const GadgetKind& FrameKind() {
  static const GadgetKind kind{
      .code = GK_FRAME,
      .requiredSize = CaptionSize,
  };
  return kind;
}

}  // namespace detail

Handle NewContainer(int number, int x, int y, int width, int height, int flags) {
  return NewCollecting(GK_CONTAINER, number, x, y, width, height, flags);
}

Handle NewCanvas(int number, int x, int y, int width, int height, int flags) {
  if (flags & KV_Canvas_Container) {
    return NewCollecting(GK_CANVAS, number, x, y, width, height, flags);
  }
  return detail::NewGadget(GK_CANVAS, number, x, y, width, height, {}, flags);
}

Handle NewFrame(int number, int x, int y, int width, int height, TextView caption) {
  return detail::NewGadget(GK_FRAME, number, x, y, width, height, caption, 0);
}

}  // namespace kv

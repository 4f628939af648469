// Frames, containers, canvases, scroll areas and splitters: plain stand-in
// controls, whose behaviour the core writes; a scroll area's inner area is a
// child that moves inside its border.
#include <algorithm>

#include "kinds.h"
#include "metrics.h"

namespace kv::headless {

namespace {

// The inner area lies inside the border, as in a client area.
int ScrollAreaBorder(const Control& area) {
  return area.flags & KV_ScrollArea_BorderLess ? 0 : kEdgeWidth;
}

void MakeScrollArea(Control& area) {
  Control inner;
  inner.cls = ControlClass::ScrollInner;
  inner.parent = area.handle;
  AddControl(std::move(inner));
}

}  // namespace

}  // namespace kv::headless

namespace kv::platform {

using headless::Control;
using headless::ControlClass;

const KindRecord& FrameRecord() {
  static const KindRecord record{.cls = ControlClass::Frame, .keepsText = true};
  return record;
}

const KindRecord& ContainerRecord() {
  static const KindRecord record{.cls = ControlClass::Container};
  return record;
}

const KindRecord& CanvasRecord() {
  static const KindRecord record{.cls = ControlClass::Canvas};
  return record;
}

const KindRecord& ScrollAreaRecord() {
  static const KindRecord record{.cls = ControlClass::ScrollArea,
                                 .made = headless::MakeScrollArea};
  return record;
}

const KindRecord& SplitterRecord() {
  static const KindRecord record{.cls = ControlClass::Splitter};
  return record;
}

Handle ScrollAreaInner(Handle area) {
  Control* control = headless::FindControl(area);
  return control && !control->children.empty() ? control->children.front() : 0;
}

PixelSize ScrollAreaRoom(Handle area) {
  Control* control = headless::FindControl(area);
  if (!control) return {};
  int border = headless::ScrollAreaBorder(*control);
  return {std::max(0, control->rect.width - 2 * border),
          std::max(0, control->rect.height - 2 * border)};
}

PixelSize ScrollBarSize() { return {headless::kScrollBarSize, headless::kScrollBarSize}; }

void ShowScrollView(Handle area, const ScrollView& view) {
  Control* control = headless::FindControl(area);
  if (!control) return;
  control->horizontalBar = view.horizontalBar;
  control->verticalBar = view.verticalBar;
  if (Control* inner = headless::FindControl(ScrollAreaInner(area))) {
    int border = headless::ScrollAreaBorder(*control);
    inner->rect = {border - view.x, border - view.y, view.inner.width, view.inner.height};
  }
}

}  // namespace kv::platform

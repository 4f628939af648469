// Scroll areas: an inner area larger than the control, moved under it by the
// scroll bars. Which bars show, how far the view may go and how far one step
// or page goes is decided here; the backend shows the result.
#include <algorithm>

#include "detail/core.h"
#include "toolkit/dpi.h"
#include "toolkit/gadgets.h"

namespace kv {

namespace {

struct ScrollState : GadgetData {
  Handle inner = 0;
  PixelSize innerSize;
  int step = 0;  // pixels per line
  int x = 0;     // view position in the inner area
  int y = 0;
};

ScrollState& StateOf(GadgetObject& g) { return static_cast<ScrollState&>(*g.state); }

// A bar takes room from the other direction, which may then need its own.
platform::ScrollView ViewOf(GadgetObject& g) {
  ScrollState& state = StateOf(g);
  PixelSize room = platform::ScrollAreaRoom(g.handle);
  PixelSize bars = platform::ScrollBarSize();
  platform::ScrollView view;
  view.inner = state.innerSize;
  view.verticalBar = view.inner.height > room.height;
  view.horizontalBar = view.inner.width > room.width - (view.verticalBar ? bars.width : 0);
  if (view.horizontalBar && !view.verticalBar) {
    view.verticalBar = view.inner.height > room.height - bars.height;
  }
  view.shown = {std::max(0, room.width - (view.verticalBar ? bars.width : 0)),
                std::max(0, room.height - (view.horizontalBar ? bars.height : 0))};
  state.x = std::clamp(state.x, 0, std::max(0, view.inner.width - view.shown.width));
  state.y = std::clamp(state.y, 0, std::max(0, view.inner.height - view.shown.height));
  view.x = state.x;
  view.y = state.y;
  return view;
}

void Show(GadgetObject& g) { platform::ShowScrollView(g.handle, ViewOf(g)); }

void Place(GadgetObject& g, const PixelRect& rect) {
  platform::MoveControl(g.handle, rect);
  Show(g);
}

void OpenInner(GadgetObject& g, int) { PushGadgetParent(StateOf(g).inner); }

int ReadAttribute(GadgetObject& g, int attribute) {
  ScrollState& state = StateOf(g);
  switch (attribute) {
    case KV_ScrollArea_InnerWidth: return FromPixelsX(state.innerSize.width);
    case KV_ScrollArea_InnerHeight: return FromPixelsY(state.innerSize.height);
    case KV_ScrollArea_X: return FromPixelsX(state.x);
    case KV_ScrollArea_Y: return FromPixelsY(state.y);
    default: return 0;
  }
}

void WriteAttribute(GadgetObject& g, int attribute, int value) {
  ScrollState& state = StateOf(g);
  switch (attribute) {
    case KV_ScrollArea_InnerWidth: state.innerSize.width = std::max(0, ToPixelsX(value)); break;
    case KV_ScrollArea_InnerHeight: state.innerSize.height = std::max(0, ToPixelsY(value)); break;
    case KV_ScrollArea_X: state.x = ToPixelsX(value); break;
    case KV_ScrollArea_Y: state.y = ToPixelsY(value); break;
    default: return;
  }
  Show(g);
}

}  // namespace

namespace detail {

const GadgetKind& ScrollAreaKind() {
  static const GadgetKind kind{
      .code = GK_SCROLLAREA,
      .place = Place,
      .openItem = OpenInner,
      .readAttribute = ReadAttribute,
      .writeAttribute = WriteAttribute,
  };
  return kind;
}

}  // namespace detail

Handle NewScrollArea(int number, int x, int y, int width, int height, int innerWidth,
                     int innerHeight, int step, int flags) {
  GadgetObject* area = detail::CreateGadget(GK_SCROLLAREA, number, x, y, width, height, {}, flags);
  if (!area) return 0;
  auto state = std::make_unique<ScrollState>();
  state->inner = platform::ScrollAreaInner(area->handle);
  state->innerSize = {std::max(0, ToPixelsX(innerWidth)), std::max(0, ToPixelsY(innerHeight))};
  state->step = std::max(1, ToPixelsY(step));
  area->state = std::move(state);
  Show(*area);
  PushGadgetParent(StateOf(*area).inner);
  return detail::CreationResult(number, area);
}

void OnScrollAreaScrolled(GadgetObject& area, bool vertical, ScrollMove move, int position) {
  if (area.kind->code != GK_SCROLLAREA || !area.state) return;
  ScrollState& state = StateOf(area);
  platform::ScrollView view = ViewOf(area);
  int page = vertical ? view.shown.height : view.shown.width;
  int& at = vertical ? state.y : state.x;
  switch (move) {
    case ScrollMove::LineBack: at -= state.step; break;
    case ScrollMove::LineForward: at += state.step; break;
    case ScrollMove::PageBack: at -= page; break;
    case ScrollMove::PageForward: at += page; break;
    case ScrollMove::To: at = position; break;
  }
  Show(area);
}

}  // namespace kv

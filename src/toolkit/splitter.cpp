// Splitters: two sides and a bar between them that the user drags. Where
// the bar may go and what each side gets is decided here; the backend draws
// the bar and reports the drag.
#include <algorithm>

#include "detail/core.h"
#include "toolkit/dpi.h"
#include "toolkit/gadgets.h"

namespace kv {

namespace {

// Bar thickness in units, the same figures the dialog layout adds.
constexpr int kBar = 4;
constexpr int kSeparatorBar = 7;

struct SplitterState : GadgetData {
  int sides[2] = {-1, -1};  // gadget numbers
  int flags = 0;
  int position = -1;  // the first side's size in pixels; -1 until first placed
  int length = 0;     // the room both sides shared when last placed
  int minimum[2] = {0, 0};
};

SplitterState& StateOf(GadgetObject& g) { return static_cast<SplitterState&>(*g.state); }
const SplitterState& StateOf(const GadgetObject& g) {
  return static_cast<const SplitterState&>(*g.state);
}

bool Vertical(const SplitterState& state) { return state.flags & KV_Splitter_Vertical; }

int Thickness(const SplitterState& state) {
  int units = state.flags & KV_Splitter_Separator ? kSeparatorBar : kBar;
  return Vertical(state) ? ToPixelsX(units) : ToPixelsY(units);
}

// The room for both sides along the splitter.
int LengthOf(const GadgetObject& g) {
  PixelRect rect = platform::ControlRect(g.handle);
  const SplitterState& state = StateOf(g);
  return std::max(0, (Vertical(state) ? rect.width : rect.height) - Thickness(state));
}

// A new length keeps the fixed side's size, or else both sides' shares; the
// bar starts in the middle. The minimums hold, the second side's first.
int PositionFor(const SplitterState& state, int length) {
  int position = state.position;
  if (position < 0) {
    position = length / 2;
  } else if (length != state.length) {
    if (state.flags & KV_Splitter_SecondFixed) {
      position = length - (state.length - position);
    } else if (!(state.flags & KV_Splitter_FirstFixed) && state.length > 0) {
      position = static_cast<int>(std::int64_t{position} * length / state.length);
    }
  }
  position = std::min(position, length - state.minimum[1]);
  position = std::max(position, state.minimum[0]);
  return std::clamp(position, 0, length);
}

PixelRect SideRect(const GadgetObject& g, int side) {
  const SplitterState& state = StateOf(g);
  PixelRect rect = platform::ControlRect(g.handle);
  int length = LengthOf(g);
  int start = side == 0 ? 0 : state.position + Thickness(state);
  int size = side == 0 ? state.position : length - state.position;
  return Vertical(state) ? PixelRect{start, 0, size, rect.height}
                         : PixelRect{0, start, rect.width, size};
}

// Sides are placed while the splitter has room; without room the bar keeps
// its place for when the room comes back.
void Arrange(GadgetObject& g, int position) {
  SplitterState& state = StateOf(g);
  int length = LengthOf(g);
  if (length <= 0) return;
  state.position = position;
  state.position = PositionFor(state, length);
  state.length = length;
  for (int side = 0; side < 2; ++side) {
    if (GadgetObject* gadget = FindGadgetObject(state.sides[side])) {
      detail::PlaceReportingSize(*gadget, SideRect(g, side));
    }
  }
  platform::RepaintControl(g.handle);
}

void Place(GadgetObject& g, const PixelRect& rect) {
  platform::MoveControl(g.handle, rect);
  Arrange(g, StateOf(g).position);
}

int ReadState(GadgetObject& g) {
  const SplitterState& state = StateOf(g);
  int position = std::max(0, state.position);
  return Vertical(state) ? FromPixelsX(position) : FromPixelsY(position);
}

void WriteState(GadgetObject& g, int value) {
  SplitterState& state = StateOf(g);
  int position = Vertical(state) ? ToPixelsX(value) : ToPixelsY(value);
  state.length = LengthOf(g);  // a position given is not a share of an older length
  Arrange(g, std::max(0, position));
}

int ReadAttribute(GadgetObject& g, int attribute) {
  const SplitterState& state = StateOf(g);
  int side = attribute - KV_Splitter_FirstMinimumSize;
  if (side != 0 && side != 1) return 0;
  int pixels = state.minimum[side];
  return Vertical(state) ? FromPixelsX(pixels) : FromPixelsY(pixels);
}

void WriteAttribute(GadgetObject& g, int attribute, int value) {
  SplitterState& state = StateOf(g);
  int side = attribute - KV_Splitter_FirstMinimumSize;
  if (side != 0 && side != 1) return;
  int pixels = std::max(0, Vertical(state) ? ToPixelsX(value) : ToPixelsY(value));
  if (pixels == state.minimum[side]) return;
  state.minimum[side] = pixels;
  Arrange(g, state.position);
}

}  // namespace

namespace detail {

const GadgetKind& SplitterKind() {
  static const GadgetKind kind{
      .code = GK_SPLITTER,
      .readState = ReadState,
      .writeState = WriteState,
      .place = Place,
      .readAttribute = ReadAttribute,
      .writeAttribute = WriteAttribute,
  };
  return kind;
}

}  // namespace detail

Handle NewSplitter(int number, int x, int y, int width, int height, int first, int second,
                   int flags) {
  // The sides must exist before the splitter: a side at the splitter's own
  // number would otherwise be destroyed by its creation.
  if (number != KV_Any && (number == first || number == second)) return 0;
  if (!FindGadgetObject(first) || !FindGadgetObject(second) || first == second) return 0;
  GadgetObject* splitter =
      detail::CreateGadget(GK_SPLITTER, number, x, y, width, height, {}, flags);
  if (!splitter) return 0;
  auto state = std::make_unique<SplitterState>();
  state->sides[0] = first;
  state->sides[1] = second;
  state->flags = flags;
  splitter->state = std::move(state);
  for (int side : {first, second}) {
    platform::AdoptControl(splitter->handle, FindGadgetObject(side)->handle);
  }
  Arrange(*splitter, -1);
  return detail::CreationResult(number, splitter);
}

SplitterBar SplitterBarOf(const GadgetObject& splitter) {
  // A control reports before its record is complete.
  if (splitter.kind->code != GK_SPLITTER || !splitter.state) return {};
  const SplitterState& state = StateOf(splitter);
  PixelRect rect = platform::ControlRect(splitter.handle);
  int at = std::max(0, state.position);
  int thickness = Thickness(state);
  if (Vertical(state)) return {{at, 0, thickness, rect.height}, true};
  return {{0, at, rect.width, thickness}, false};
}

void OnSplitterDragged(GadgetObject& splitter, int position) {
  if (splitter.kind->code != GK_SPLITTER || !splitter.state) return;
  StateOf(splitter).length = LengthOf(splitter);
  Arrange(splitter, std::max(0, position));
  QueueGadgetEvent(splitter, ET_CHANGE);
}

}  // namespace kv

// Progress bars, track bars, scroll bars and spin fields: a value within a
// range. A spin field's text follows its value, as the platform's arrows
// write it. The range rules and the user's steps are kept here; the backend
// shows the range and reports the user's moves.
#include <algorithm>
#include <memory>

#include "detail/core.h"
#include "toolkit/gadgets.h"

namespace kv {

namespace {

struct ValueState : GadgetData {
  ValueRange range;
  bool textFollows = false;  // a spin field's text follows its value
};

ValueState& StateOf(GadgetObject& g) {
  return static_cast<ValueState&>(*g.state);
}

// A scroll bar's page shows the last page values at once, so its value
// goes up to maximum - page + 1.
int Highest(GadgetObject& g) {
  const ValueRange& r = StateOf(g).range;
  if (g.kind->code != GK_SCROLLBAR || r.page <= 1) return r.maximum;
  return std::max(r.minimum, r.maximum - r.page + 1);
}

void Show(GadgetObject& g) {
  ValueState& state = StateOf(g);
  ValueRange& r = state.range;
  r.maximum = std::max(r.maximum, r.minimum);
  r.page = std::max(r.page, 1);
  r.value = std::clamp(r.value, r.minimum, Highest(g));
  platform::ShowValue(g.handle, g.kind->code, r);
  if (!state.textFollows) return;
  Text text = DecimalText(r.value);
  // Rewriting equal text would report a change again.
  if (platform::ReadText(g.handle) != text) platform::WriteText(g.handle, text);
}

int ReadState(GadgetObject& g) {
  return StateOf(g).range.value;
}

void WriteState(GadgetObject& g, int value) {
  StateOf(g).range.value = value;
  Show(g);
}

int ReadAttribute(GadgetObject& g, int attribute) {
  const ValueRange& r = StateOf(g).range;
  switch (attribute) {
    case KV_Range_Minimum:
      return r.minimum;
    case KV_Range_Maximum:
      return r.maximum;
    case KV_ScrollBar_PageLength:
      return g.kind->code == GK_SCROLLBAR ? r.page : 0;
    default:
      return 0;
  }
}

void WriteAttribute(GadgetObject& g, int attribute, int value) {
  ValueRange& r = StateOf(g).range;
  switch (attribute) {
    case KV_Range_Minimum:
      r.minimum = value;
      break;
    case KV_Range_Maximum:
      r.maximum = value;
      break;
    case KV_ScrollBar_PageLength:
      if (g.kind->code != GK_SCROLLBAR) return;
      r.page = value;
      break;
    default:
      return;
  }
  Show(g);
}

PixelSize SpinSize(GadgetObject& g) {
  return FieldRequiredSize(platform::TextExtent(g.handle, u"0000"), platform::EdgeSize(),
                           platform::ScrollBarSize().width);
}

Handle NewValueGadget(int kind, int number, int x, int y, int width, int height,
                      const ValueRange& range, int flags) {
  GadgetObject* g = detail::CreateGadget(kind, number, x, y, width, height, {}, flags);
  if (!g) return 0;
  auto state = std::make_unique<ValueState>();
  state->range = range;
  state->range.value = range.minimum;
  state->textFollows = kind == GK_SPIN;
  g->state = std::move(state);
  Show(*g);
  return detail::CreationResult(number, g);
}

// The value kinds differ only in their code, and the spin field in its size.
constexpr GadgetKind ValueTable(int code, PixelSize (*requiredSize)(GadgetObject&) = nullptr) {
  return {
      .code = code,
      .readState = ReadState,
      .writeState = WriteState,
      .readAttribute = ReadAttribute,
      .writeAttribute = WriteAttribute,
      .requiredSize = requiredSize,
  };
}

}  // namespace

namespace detail {

const GadgetKind& ProgressBarKind() {
  static const GadgetKind kind = ValueTable(GK_PROGRESSBAR);
  return kind;
}

const GadgetKind& TrackBarKind() {
  static const GadgetKind kind = ValueTable(GK_TRACKBAR);
  return kind;
}

const GadgetKind& ScrollBarKind() {
  static const GadgetKind kind = ValueTable(GK_SCROLLBAR);
  return kind;
}

const GadgetKind& SpinKind() {
  static const GadgetKind kind = ValueTable(GK_SPIN, SpinSize);
  return kind;
}

}  // namespace detail

void OnValueMoved(GadgetObject& g, int value) {
  int before = StateOf(g).range.value;
  StateOf(g).range.value = value;
  Show(g);
  if (StateOf(g).range.value != before) QueueGadgetEvent(g, ET_CHANGE);
}

void OnValueStepped(GadgetObject& g, ScrollMove move) {
  const ValueRange& r = StateOf(g).range;
  int page = g.kind->code == GK_SCROLLBAR ? r.page : std::max(1, (r.maximum - r.minimum) / 5);
  switch (move) {
    case ScrollMove::LineBack:
      OnValueMoved(g, r.value - 1);
      break;
    case ScrollMove::LineForward:
      OnValueMoved(g, r.value + 1);
      break;
    case ScrollMove::PageBack:
      OnValueMoved(g, r.value - page);
      break;
    case ScrollMove::PageForward:
      OnValueMoved(g, r.value + page);
      break;
    case ScrollMove::To:
      break;
  }
}

Handle NewProgressBar(int number, int x, int y, int width, int height, int minimum, int maximum,
                      int flags) {
  return NewValueGadget(GK_PROGRESSBAR, number, x, y, width, height, {minimum, maximum, 1, 0},
                        flags);
}

Handle NewTrackBar(int number, int x, int y, int width, int height, int minimum, int maximum,
                   int flags) {
  return NewValueGadget(GK_TRACKBAR, number, x, y, width, height, {minimum, maximum, 1, 0}, flags);
}

Handle NewScrollBar(int number, int x, int y, int width, int height, int minimum, int maximum,
                    int page, int flags) {
  return NewValueGadget(GK_SCROLLBAR, number, x, y, width, height, {minimum, maximum, page, 0},
                        flags);
}

Handle NewSpin(int number, int x, int y, int width, int height, int minimum, int maximum,
               int flags) {
  return NewValueGadget(GK_SPIN, number, x, y, width, height, {minimum, maximum, 1, 0}, flags);
}

}  // namespace kv

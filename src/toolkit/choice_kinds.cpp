// Check boxes and options. Their states and the radio groups of options are
// kept here, so that every backend checks and unchecks alike; the backend
// only shows the state and reports the user's clicks.
#include <algorithm>
#include <memory>
#include <vector>

#include "detail/core.h"
#include "toolkit/gadgets.h"

namespace kv {

namespace {

using Group = std::vector<int>;  // gadget numbers of one radio group

struct ChoiceState : GadgetData {
  int state = KV_CheckBox_Unchecked;
  int number = 0;
  bool threeState = false;
  std::shared_ptr<Group> group;  // options only

  ~ChoiceState() override {
    if (group) std::erase(*group, number);
  }
};

ChoiceState& StateOf(GadgetObject& g) { return static_cast<ChoiceState&>(*g.state); }

void Show(GadgetObject& g, int state) {
  StateOf(g).state = state;
  platform::ShowCheck(g.handle, state);
}

int ReadState(GadgetObject& g) { return StateOf(g).state; }

bool ThreeState(GadgetObject& g) { return StateOf(g).threeState; }

// Any state other than the three shown ones means checked.
void WriteCheckBoxState(GadgetObject& g, int state) {
  if (state == KV_CheckBox_Inbetween && !ThreeState(g)) state = KV_CheckBox_Checked;
  Show(g, state == KV_CheckBox_Inbetween ? state : (state ? KV_CheckBox_Checked : 0));
}

// Checking an option unchecks the others of its group.
void WriteOptionState(GadgetObject& g, int state) {
  if (state) {
    for (int other : *StateOf(g).group) {
      GadgetObject* member = FindGadgetObject(other);
      if (member && member != &g) Show(*member, KV_CheckBox_Unchecked);
    }
  }
  Show(g, state ? KV_CheckBox_Checked : KV_CheckBox_Unchecked);
}

PixelSize ChoiceSize(GadgetObject& g) {
  return ChoiceRequiredSize(platform::TextExtent(g.handle, platform::ReadText(g.handle)));
}

// The group of the option created just before, when nothing came between
// and it lies in the same parent; otherwise a new one.
std::shared_ptr<Group> GroupForNewOption() {
  detail::Creation last = detail::LastCreation();
  GadgetObject* previous = FindGadgetObject(last.number);
  if (previous && previous->kind->code == GK_OPTION && last.parent == CurrentGadgetParent()) {
    return StateOf(*previous).group;
  }
  return std::make_shared<Group>();
}

}  // namespace

namespace detail {

const GadgetKind& CheckBoxKind() {
  static const GadgetKind kind{
      .code = GK_CHECKBOX,
      .readState = ReadState,
      .writeState = WriteCheckBoxState,
      .requiredSize = ChoiceSize,
  };
  return kind;
}

const GadgetKind& OptionKind() {
  static const GadgetKind kind{
      .code = GK_OPTION,
      .readState = ReadState,
      .writeState = WriteOptionState,
      .requiredSize = ChoiceSize,
  };
  return kind;
}

}  // namespace detail

// A click checks an option; a check box goes unchecked, checked, and
// in between when it has three states.
void OnChoiceClicked(GadgetObject& g) {
  if (g.kind->code == GK_OPTION) {
    WriteOptionState(g, KV_CheckBox_Checked);
  } else {
    int state = StateOf(g).state;
    int next = state == KV_CheckBox_Unchecked ? KV_CheckBox_Checked
               : state == KV_CheckBox_Checked && ThreeState(g) ? KV_CheckBox_Inbetween
                                                                : KV_CheckBox_Unchecked;
    Show(g, next);
  }
  QueueGadgetEvent(g, ET_LEFT_CLICK);
}

Handle NewCheckBox(int number, int x, int y, int width, int height, TextView text, int flags) {
  GadgetObject* g = detail::CreateGadget(GK_CHECKBOX, number, x, y, width, height, text, flags);
  if (g) {
    auto state = std::make_unique<ChoiceState>();
    state->threeState = (flags & KV_CheckBox_ThreeState) == KV_CheckBox_ThreeState;
    g->state = std::move(state);
  }
  return detail::CreationResult(number, g);
}

Handle NewOption(int number, int x, int y, int width, int height, TextView text) {
  std::shared_ptr<Group> group = GroupForNewOption();
  GadgetObject* g = detail::CreateGadget(GK_OPTION, number, x, y, width, height, text, 0);
  if (!g) return 0;
  auto state = std::make_unique<ChoiceState>();
  state->number = g->number;
  state->group = std::move(group);
  state->group->push_back(g->number);
  g->state = std::move(state);
  return detail::CreationResult(number, g);
}

}  // namespace kv

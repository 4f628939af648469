// Where new gadgets go. Each window keeps its own stack of parents, so that
// making another window current and coming back resumes where it was.
#include <map>
#include <vector>

#include "detail/core.h"
#include "toolkit/gadgets.h"

namespace kv {

namespace {

struct ParentStack {
  Handle current = 0;
  std::vector<Handle> earlier;
};

struct Parents {
  Handle window = 0;
  ParentStack stack;
  std::map<Handle, ParentStack> kept;  // stacks of the other windows
};

Parents& ThreadParents() {
  thread_local Parents parents;
  return parents;
}

}  // namespace

void SetGadgetParentWindow(Handle window) {
  Parents& parents = ThreadParents();
  if (parents.window) parents.kept[parents.window] = std::move(parents.stack);
  auto kept = parents.kept.find(window);
  if (kept != parents.kept.end()) {
    parents.stack = std::move(kept->second);
    parents.kept.erase(kept);
  } else {
    parents.stack = {window, {}};
  }
  parents.window = window;
}

void PushGadgetParent(Handle parent) {
  ParentStack& stack = ThreadParents().stack;
  stack.earlier.push_back(stack.current);
  stack.current = parent;
}

void PopGadgetParent() {
  ParentStack& stack = ThreadParents().stack;
  if (stack.earlier.empty()) return;
  stack.current = stack.earlier.back();
  stack.earlier.pop_back();
}

Handle CurrentGadgetParent() { return ThreadParents().stack.current; }

void ReplaceGadgetParent(Handle parent) { ThreadParents().stack.current = parent; }

namespace detail {

void ForgetGadgetParents(Handle window) {
  Parents& parents = ThreadParents();
  parents.kept.erase(window);
  if (parents.window == window) parents = Parents{0, {}, std::move(parents.kept)};
}

void ResetGadgetParents() { ThreadParents() = Parents{}; }

}  // namespace detail
}  // namespace kv

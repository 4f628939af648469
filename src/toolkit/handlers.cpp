// Handlers are bound under a key (code, window, object), where -1 stands for
// any window or object; each key keeps its handlers newest first with a type
// filter (-1: every type).
#include <algorithm>
#include <array>
#include <map>
#include <vector>

#include "detail/handlers.h"
#include "toolkit/events.h"

namespace kv {

namespace {

using Key = std::array<int, 3>;  // code, window, object

struct Binding {
  EventHandler handler;
  int type;
};

struct Entry {
  int window;  // the window it was made for, so that it goes with the window
  std::vector<Binding> bindings;  // newest first
};

std::map<Key, Entry>& Registry() {
  static std::map<Key, Entry> registry;
  return registry;
}

bool IsBound(const Key& key, const Binding& binding) {
  auto it = Registry().find(key);
  if (it == Registry().end()) return false;
  const auto& list = it->second.bindings;
  return std::any_of(list.begin(), list.end(), [&](const Binding& b) {
    return b.handler == binding.handler && b.type == binding.type;
  });
}

// Handlers may bind, unbind or dispose of windows while they run, so the list
// is copied first and each handler is called only while it is still bound.
void CallKey(const Key& key, bool filterType, int type) {
  auto it = Registry().find(key);
  if (it == Registry().end()) return;
  std::vector<Binding> bindings = it->second.bindings;
  for (const Binding& binding : bindings) {
    if (filterType && binding.type != -1 && binding.type != type) continue;
    if (IsBound(key, binding)) binding.handler();
  }
}

}  // namespace

int BindEventHandler(int code, const EventHandler& handler, int window, int object, int type) {
  if (!handler) return 0;
  Key key{code, window, object};
  if (IsBound(key, {handler, type})) return 0;
  Entry& entry = Registry().try_emplace(key, Entry{window, {}}).first->second;
  entry.bindings.insert(entry.bindings.begin(), Binding{handler, type});
  return 1;
}

int UnbindEventHandler(int code, const EventHandler& handler, int window, int object, int type) {
  auto it = Registry().find(Key{code, window, object});
  if (it == Registry().end()) return 0;
  auto& list = it->second.bindings;
  if (!handler) {
    Registry().erase(it);
    return 1;
  }
  auto found = std::find_if(list.begin(), list.end(), [&](const Binding& b) {
    return b.handler == handler && (type == -1 || b.type == type);
  });
  if (found == list.end()) return 0;
  list.erase(found);
  if (list.empty()) Registry().erase(it);
  return 1;
}

namespace detail {

void CallBoundHandlers(int code, int window, int object, int type) {
  const std::array<Key, 4> keys{{
      {code, window, object},
      {code, window, -1},
      {code, -1, -1},
      {code, -1, object},
  }};
  // An event for window or object -1 would otherwise visit a key twice.
  for (size_t i = 0; i < keys.size(); ++i) {
    if (std::find(keys.begin(), keys.begin() + i, keys[i]) != keys.begin() + i) continue;
    bool filterType = i == 0 || i == 3;
    CallKey(keys[i], filterType, type);
  }
}

void UnbindWindowHandlers(int window) {
  std::erase_if(Registry(), [window](const auto& item) { return item.second.window == window; });
}

void ClearHandlers() { Registry().clear(); }

}  // namespace detail
}  // namespace kv

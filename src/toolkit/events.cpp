#include "toolkit/events.h"

#include "detail/event_queue.h"
#include "detail/handlers.h"
#include "toolkit/platform.h"

namespace kv {

namespace {

constexpr int kFirstUncollapsedCode = 65536;

// Everything about events belongs to the thread that runs the windows.
struct EventState {
  detail::EventQueue queue;
  int suspended = 0;
  detail::Event current{.type = -1};
};

EventState& State() {
  thread_local EventState state;
  return state;
}

void ReleaseCurrentData(EventState& state) {
  state.current.ReleaseData();
  if (state.current.release) {
    state.current.data = nullptr;
    state.current.release = nullptr;
  }
}

}  // namespace

void InitEventLibrary() {
  EventState& state = State();
  state.queue.Clear();
  state.suspended = 0;
  state.current = detail::Event{.type = -1};
  detail::ClearHandlers();
  platform::InitEvents();
}

void EndEventLibrary() {
  platform::EndEvents();
  EventState& state = State();
  state.queue.Clear();
  ReleaseCurrentData(state);
  detail::ClearHandlers();
}

int WaitForEvent(int timeoutMs) {
  EventState& state = State();
  ReleaseCurrentData(state);
  detail::Event next;
  if (state.queue.Pop(&next)) {
    state.current = next;
    return next.code;
  }
  state.current.code = 0;
  state.current.type = -1;
  return platform::PumpMessage(timeoutMs);
}

void WakeEventWait() { platform::WakeMessageWait(); }

void QueueEvent(int code, int object, int window, int type, void* data,
                EventDataRelease release, int flags) {
  EventState& state = State();
  detail::Event event{code, object, window, type, data, release};
  if (state.suspended > 0 && !(flags & KV_Event_Force)) {
    event.ReleaseData();
    return;
  }
  const detail::Event* last = state.queue.Last();
  bool collapsed = code < kFirstUncollapsedCode && last && last->SameAs(event);
  bool sharesData = collapsed && last->data == data;
  bool queued = !collapsed && state.queue.Append(event);

  detail::Event saved = state.current;
  state.current = event;
  detail::CallBoundHandlers(code, window, object, type);
  state.current = saved;

  // Data of an event that was not queued would otherwise never be released.
  if (!queued && !sharesData) event.ReleaseData();
}

void DropQueuedEvents(int code, int object, int window, int type) {
  State().queue.Drop(code, object, window, type);
}

int CurrentEventWindow() { return State().current.window; }
int CurrentEventObject() { return State().current.object; }
int CurrentEventType() { return State().current.type; }
void* CurrentEventData() { return State().current.data; }

void SuspendEvents() { ++State().suspended; }

void ResumeEvents() {
  EventState& state = State();
  if (state.suspended > 0) --state.suspended;
}

}  // namespace kv

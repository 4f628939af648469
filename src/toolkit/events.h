// The event stream of the GUI thread.
//
// Windows and gadgets turn what the user does into small integer events. Each
// event is queued and, at the moment it is queued, handed to the handlers bound
// to it; WaitForEvent then returns the queued events one by one. Handlers take
// no arguments and read the event through the CurrentEvent* operations; a
// handler may carry its own context.
#pragma once

#include <cstdint>
#include <functional>
#include <type_traits>
#include <utility>

namespace kv {

// Event codes: the result of WaitForEvent and the code of a queued event.
constexpr int EV_GADGET = 13100;             // object: gadget; type: ET_*
constexpr int EV_MENU = 13101;               // object: command id
constexpr int EV_TRAY = 13102;               // object: tray id
constexpr int EV_ACTIVATE = 13104;
constexpr int EV_MINIMIZE = 13107;
constexpr int EV_MAXIMIZE = 13108;
constexpr int EV_RESTORE = 13109;
constexpr int EV_TIMER = 13110;              // object: timer id
constexpr int EV_RIGHT_CLICK = 13111;        // on the window's own background
constexpr int EV_LEFT_CLICK = 13112;
constexpr int EV_LEFT_DOUBLE_CLICK = 13113;
constexpr int EV_DEACTIVATE = 13114;
constexpr int EV_REPAINT = 13115;
constexpr int EV_CLOSE = 13116;              // object: the window number
constexpr int EV_MOVE = 13117;               // object: the window number
constexpr int EV_SIZE = 13118;

// Event types of EV_GADGET. Notifications without a meaning of their own pass
// their platform code as the type (256 and 512: an entry field gains and loses
// the focus; 1024: its text is about to be shown after an edit).
constexpr int ET_LEFT_CLICK = 0;
constexpr int ET_RIGHT_CLICK = 1;
constexpr int ET_LEFT_DOUBLE_CLICK = 2;
constexpr int ET_RIGHT_DOUBLE_CLICK = 3;
constexpr int ET_RESIZE = 6;
constexpr int ET_CHANGE = 768;
constexpr int ET_FOCUS = 14000;
constexpr int ET_LOST_FOCUS = 14001;
constexpr int ET_DRAG_START = 14002;

// QueueEvent flag: queue and dispatch even while events are suspended.
constexpr int KV_Event_Force = 1;

// A handler: a plain function, or a callable that carries its context. Copies
// of one handler are the same handler, and so are two of one plain function,
// which is what binding twice and unbinding compare; every other callable is a
// handler of its own, unbound by the copy that was bound or by its key.
class EventHandler {
 public:
  EventHandler() = default;
  EventHandler(std::nullptr_t) {}
  EventHandler(void (*function)())
      : call_(function), identity_{true, reinterpret_cast<std::uintptr_t>(function)} {}
  template <class Callable,
            class = std::enable_if_t<!std::is_same_v<std::decay_t<Callable>, EventHandler> &&
                                     std::is_invocable_v<Callable&>>>
  EventHandler(Callable callable) : call_(std::move(callable)), identity_{false, NewSerial()} {}

  void operator()() const { call_(); }
  explicit operator bool() const { return static_cast<bool>(call_); }
  friend bool operator==(const EventHandler& a, const EventHandler& b) {
    return a.identity_.plain == b.identity_.plain && a.identity_.value == b.identity_.value;
  }

 private:
  struct Identity {
    bool plain = true;         // value is the function's address
    std::uintptr_t value = 0;  // else a serial of its own
  };
  static std::uintptr_t NewSerial() {
    static std::uintptr_t last = 0;
    return ++last;
  }

  std::function<void()> call_;
  Identity identity_;
};
using EventDataRelease = void (*)(void* data);

// Set-up and release of the calling thread's event state and the handler
// registry.
void InitEventLibrary();
void EndEventLibrary();

// Returns the next queued event's code. With an empty queue it waits for one
// platform message (timeoutMs -1: without limit, 0: only looks) and returns the
// platform's message number, or 0 when nothing arrived; the events that
// message produced come out on the following calls.
int WaitForEvent(int timeoutMs);

// From any thread: ends the event thread's current wait, or its next one, at
// once, so work finished beside the loop is taken up without a time-out.
void WakeEventWait();

// Queues an event (a consecutive duplicate below code 65536 is not queued
// twice) and calls the bound handlers at once, most specific key first:
// (code, window, object), (code, window, any), (code, any, any),
// (code, any, object). data is released with release once it is no longer
// current, or at once when the event is not queued.
void QueueEvent(int code, int object, int window, int type, void* data = nullptr,
                EventDataRelease release = nullptr, int flags = 0);

// Removes queued events that match; -1 in any argument matches anything.
void DropQueuedEvents(int code, int object, int window, int type);

// -1 as window or object binds for any window or object; type -1 matches
// every type. Returns 0 when the same handler and type are already bound
// under the key.
int BindEventHandler(int code, const EventHandler& handler, int window, int object, int type);

// Removes the newest registration of handler with this type (any type for
// -1); a null handler removes every registration under the key. Returns 0
// when nothing was removed.
int UnbindEventHandler(int code, const EventHandler& handler, int window, int object, int type);

// The event most recently taken from the queue, or being dispatched. After
// a wait that found the queue empty the type is -1; the rest keeps its value.
int CurrentEventWindow();
int CurrentEventObject();
int CurrentEventType();
void* CurrentEventData();

// While suspended (counted), events are neither queued nor dispatched unless
// forced. Gadget operations that change state suspend events around the
// change so that only the user's actions raise events.
void SuspendEvents();
void ResumeEvents();

}  // namespace kv

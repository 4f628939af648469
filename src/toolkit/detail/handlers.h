// The handler registry, shared by the event, window and gadget operations.
#pragma once

namespace kv::detail {

// Calls the handlers bound to an event in dispatch order.
void CallBoundHandlers(int code, int window, int object, int type);
// Removes every registration made for a window.
void UnbindWindowHandlers(int window);
void ClearHandlers();

}  // namespace kv::detail

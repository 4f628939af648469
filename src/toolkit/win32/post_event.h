// Events from other threads: they travel through the GUI thread's hidden
// relay window and are queued there, forced, as if the GUI thread had
// queued them itself.
#pragma once

namespace kv {

// Any thread; does nothing before InitEventLibrary or after EndEventLibrary.
void PostEvent(int code, int object, int window, int type);

}  // namespace kv

// Constants shared by every library of the runtime.
#pragma once

namespace kv {

// Object number argument: let the table choose the number (which is returned);
// given to a free or close operation, releases every object of that kind.
constexpr int KV_Any = -1;

// Position or size argument of the toolkit: keep the current value.
constexpr int KEEP_CURRENT = -65535;

}  // namespace kv

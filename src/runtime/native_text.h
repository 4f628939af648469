// Paths as the platform's calls take them: wide characters on Windows, UTF-8
// bytes elsewhere (native_text_win32.cpp, native_text_posix.cpp).
#pragma once

#include <string>

#include "text.h"

namespace kv {

#ifdef _WIN32
using NativeString = std::wstring;
#else
using NativeString = std::string;
#endif

// A path ends at its first NUL, like every text of the system.
NativeString NativePath(TextView path);

}  // namespace kv

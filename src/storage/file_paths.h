// Files named by path: the directory part, size, deletion and atomic
// replacement.
#pragma once

#include <cstdint>

#include "runtime/text.h"

namespace kv {

// The directory part of a path: after one leading double quote, up to and
// including the last backslash or slash before the end, a NUL or a vertical
// bar; empty when there is none.
Text PathDirectory(TextView path);

// DeleteFileByPath flag: make a read-only file deletable first.
constexpr int DeleteForce = 2;

// Size in bytes; -1 when there is no such file; -2 for a directory or a
// drive or file-system root.
std::int64_t FileSizeByPath(TextView path);

// True when the file was deleted. A read-only file is deleted only with
// DeleteForce, which first gives it normal attributes.
bool DeleteFileByPath(TextView path, int flags);

// Puts the file at replacement in the place of the file at path in one step
// (path holds the old or the new content, never neither), also when path is
// read-only. The replacement is flushed to the disk first. True on success;
// on failure path is left as it was.
bool ReplaceFileByPath(TextView path, TextView replacement);

}  // namespace kv

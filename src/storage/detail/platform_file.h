// The platform calls under the data-file library and the XML files
// (files_win32.cpp, files_posix.cpp). Every open but a read-only one is
// exclusive: no other opener, in this process or another, gets the file until
// it is closed.
#pragma once

#include <cstdint>

#include "runtime/text.h"

namespace kv::detail {

// A Windows HANDLE or a POSIX descriptor; kNoFile is INVALID_HANDLE_VALUE and -1 alike.
using FileHandle = std::intptr_t;
constexpr FileHandle kNoFile = -1;

enum class OpenMode {
  CreateOrTruncate,   // read and write; created, or emptied when it exists
  OpenOrCreate,       // read and write; created when missing, else kept
  TruncateExisting,   // write only; must exist, emptied
  ReadExisting,       // read only; must be an existing regular file; not exclusive
};

FileHandle OpenPlatformFile(TextView path, OpenMode mode);

// One read or write of at most count bytes at the file position; the number
// of bytes moved, 0 at the end of the file, -1 on failure.
std::int32_t ReadPlatformFile(FileHandle file, void* destination, std::int32_t count);
std::int32_t WritePlatformFile(FileHandle file, const void* source, std::int32_t count);

// Moves the file position by offset bytes from where it is.
bool SeekPlatformFile(FileHandle file, std::int64_t offset);

// Length in bytes, -1 on failure.
std::int64_t PlatformFileLength(FileHandle file);

bool ClosePlatformFile(FileHandle file);

}  // namespace kv::detail

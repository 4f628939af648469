// Buffered data files, kept in a numbered table.
//
// A file is named by the caller's number, or by the number the table chose
// when it was opened with KV_Any. Every file has a 4096-byte buffer that holds
// either data read ahead or data not yet written; operations on a number that
// is not an open file do nothing and return 0 (-1 for DataFileLength).
// Files are opened exclusively: nobody else can open them until closed.
#pragma once

#include <cstdint>

#include "runtime/text.h"

namespace kv {

struct DataFile;  // the record of an open file

constexpr std::int64_t kFileBufferSize = 4096;

// Creates the open-file table; once at program start.
void InitFileLibrary();

// Closes every open file; at program end.
void CloseAllDataFiles();

// Creates the file, or empties an existing one, for reading and writing. When
// that is refused, an existing file is opened for writing only and emptied.
// Returns the chosen number for KV_Any, otherwise non-zero; 0 on failure,
// which leaves no file at that number.
int CreateDataFile(int number, TextView path);

// Opens the file for reading and writing, creating it when missing. Results
// as CreateDataFile.
int OpenDataFile(int number, TextView path);

// The file's record, or null when the number is not an open file.
DataFile* IsDataFile(int file);

// Length in bytes, counting data still in the buffer; -1 when not open.
std::int64_t DataFileLength(int file);

// The next 4 bytes as a little-endian signed integer; 0 when they are missing.
std::int32_t ReadFileInt32(int file);

// Reads up to count bytes; returns the number read.
std::int64_t ReadFileBlock(int file, void* destination, std::int64_t count);

// Writes value as 4 little-endian bytes; returns 4, or 0 when not open.
int WriteFileInt32(int file, std::int32_t value);

// Writes count bytes; returns the number written (buffered ones included), 0
// when source is null, count is 0 or less or the file is not open.
std::int64_t WriteFileBlock(int file, const void* source, std::int64_t count);

// Writes out the buffer and closes the file, or every file for KV_Any.
// Returns false when buffered data could not be written out at any time since
// the file was opened, or the file was not open: a writer learns here whether
// its file is complete.
bool CloseDataFile(int file);

}  // namespace kv

// Files read from start to end or written out in one go, in pieces of the
// caller's size: for readers and writers that stream a whole file (the XML
// documents) and keep no numbered data file open.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/text.h"

namespace kv {

// Reads an existing regular file from its start; not exclusive.
class FileReader {
 public:
  FileReader() = default;
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;
  ~FileReader();

  bool Open(TextView path);
  // -1 when unknown.
  int64_t Size() const;
  // Bytes read, 0 at the end or on failure.
  size_t Read(void* buffer, size_t size);

 private:
  intptr_t handle_ = -1;
};

// Creates or truncates the file, exclusively, as the data files do.
class FileWriter {
 public:
  FileWriter() = default;
  FileWriter(const FileWriter&) = delete;
  FileWriter& operator=(const FileWriter&) = delete;
  ~FileWriter();

  bool Create(TextView path);
  // False when not every byte was written.
  bool Write(const void* bytes, size_t size);
  // False when the file was not open or did not close cleanly.
  bool Close();

 private:
  intptr_t handle_ = -1;
};

}  // namespace kv

// The little file access the XML layer needs: reading a document in pieces and
// writing one out, over the storage layer's file primitive.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/text.h"

namespace kv {

class XmlFileReader {
 public:
  XmlFileReader() = default;
  XmlFileReader(const XmlFileReader&) = delete;
  XmlFileReader& operator=(const XmlFileReader&) = delete;
  ~XmlFileReader();

  bool Open(TextView path);
  // -1 when unknown.
  int64_t Size() const;
  // Bytes read, 0 at the end or on failure.
  size_t Read(void* buffer, size_t size);

 private:
  intptr_t handle_ = -1;
};

// Creates or truncates the file, exclusively, as the data files do.
class XmlFileWriter {
 public:
  XmlFileWriter() = default;
  XmlFileWriter(const XmlFileWriter&) = delete;
  XmlFileWriter& operator=(const XmlFileWriter&) = delete;
  ~XmlFileWriter();

  bool Create(TextView path);
  // False when not every byte was written.
  bool Write(const void* bytes, size_t size);
  // False when the file was not open or did not close cleanly.
  bool Close();

 private:
  intptr_t handle_ = -1;
};

}  // namespace kv

// XML files go through the same file primitive as the data files, so both
// layers name and open files alike.
#include "xml/detail/xml_file.h"

#include <algorithm>

#include "storage/detail/platform_file.h"

namespace kv {

namespace {

// The primitive moves at most this much in one call.
constexpr size_t kMostAtOnce = 1 << 30;

}  // namespace

XmlFileReader::~XmlFileReader() {
  if (handle_ != detail::kNoFile) detail::ClosePlatformFile(handle_);
}

bool XmlFileReader::Open(TextView path) {
  handle_ = detail::OpenPlatformFile(path, detail::OpenMode::ReadExisting);
  return handle_ != detail::kNoFile;
}

int64_t XmlFileReader::Size() const { return detail::PlatformFileLength(handle_); }

size_t XmlFileReader::Read(void* buffer, size_t size) {
  auto count = static_cast<std::int32_t>(std::min(size, kMostAtOnce));
  std::int32_t got = detail::ReadPlatformFile(handle_, buffer, count);
  return got > 0 ? static_cast<size_t>(got) : 0;
}

XmlFileWriter::~XmlFileWriter() { Close(); }

bool XmlFileWriter::Create(TextView path) {
  handle_ = detail::OpenPlatformFile(path, detail::OpenMode::CreateOrTruncate);
  return handle_ != detail::kNoFile;
}

bool XmlFileWriter::Write(const void* bytes, size_t size) {
  const char* next = static_cast<const char*>(bytes);
  while (size > 0) {
    auto chunk = static_cast<std::int32_t>(std::min(size, kMostAtOnce));
    std::int32_t put = detail::WritePlatformFile(handle_, next, chunk);
    if (put <= 0) return false;
    next += put;
    size -= static_cast<size_t>(put);
  }
  return true;
}

bool XmlFileWriter::Close() {
  if (handle_ == detail::kNoFile) return false;
  bool closed = detail::ClosePlatformFile(handle_);
  handle_ = detail::kNoFile;
  return closed;
}

}  // namespace kv

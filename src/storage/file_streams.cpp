// Streamed files over the same file primitive as the data files, so every
// file is named and opened alike.
#include "storage/file_streams.h"

#include <algorithm>

#include "storage/detail/platform_file.h"

namespace kv {

namespace {

// The primitive moves at most this much in one call.
constexpr size_t kMostAtOnce = 1 << 30;

}  // namespace

FileReader::~FileReader() {
  if (handle_ != detail::kNoFile) detail::ClosePlatformFile(handle_);
}

bool FileReader::Open(TextView path) {
  handle_ = detail::OpenPlatformFile(path, detail::OpenMode::ReadExisting);
  return handle_ != detail::kNoFile;
}

int64_t FileReader::Size() const { return detail::PlatformFileLength(handle_); }

size_t FileReader::Read(void* buffer, size_t size) {
  auto count = static_cast<std::int32_t>(std::min(size, kMostAtOnce));
  std::int32_t got = detail::ReadPlatformFile(handle_, buffer, count);
  return got > 0 ? static_cast<size_t>(got) : 0;
}

FileWriter::~FileWriter() { Close(); }

bool FileWriter::Create(TextView path) {
  handle_ = detail::OpenPlatformFile(path, detail::OpenMode::CreateOrTruncate);
  return handle_ != detail::kNoFile;
}

bool FileWriter::Write(const void* bytes, size_t size) {
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

bool FileWriter::Close() {
  if (handle_ == detail::kNoFile) return false;
  bool closed = detail::ClosePlatformFile(handle_);
  handle_ = detail::kNoFile;
  return closed;
}

}  // namespace kv

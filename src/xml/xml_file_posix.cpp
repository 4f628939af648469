#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "xml/detail/xml_file.h"

namespace kv {

namespace {

int OpenPath(TextView path, int flags) {
  std::string bytes = EncodeUtf8(path);
  return open(bytes.c_str(), flags | O_CLOEXEC, 0666);
}

}  // namespace

XmlFileReader::~XmlFileReader() {
  if (handle_ >= 0) close(static_cast<int>(handle_));
}

bool XmlFileReader::Open(TextView path) {
  handle_ = OpenPath(path, O_RDONLY);
  return handle_ >= 0;
}

int64_t XmlFileReader::Size() const {
  struct stat info {};
  if (fstat(static_cast<int>(handle_), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
  return info.st_size;
}

size_t XmlFileReader::Read(void* buffer, size_t size) {
  for (;;) {
    ssize_t got = read(static_cast<int>(handle_), buffer, size);
    if (got >= 0) return static_cast<size_t>(got);
    if (errno != EINTR) return 0;
  }
}

XmlFileWriter::~XmlFileWriter() {
  if (handle_ >= 0) close(static_cast<int>(handle_));
}

bool XmlFileWriter::Create(TextView path) {
  handle_ = OpenPath(path, O_RDWR | O_CREAT | O_TRUNC);
  return handle_ >= 0;
}

bool XmlFileWriter::Write(const void* bytes, size_t size) {
  const char* next = static_cast<const char*>(bytes);
  while (size > 0) {
    ssize_t put = write(static_cast<int>(handle_), next, size);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    next += put;
    size -= static_cast<size_t>(put);
  }
  return true;
}

}  // namespace kv

// POSIX platform calls. Exclusive opening comes from an advisory lock that
// every opener of this library takes. A file its owner may not write counts
// as read-only, for root too, as a read-only file does on Windows.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "detail/platform_file.h"
#include "file_paths.h"
#include "runtime/native_text.h"

namespace kv {

static_assert(sizeof(off_t) == 8, "file lengths and positions must be 64-bit");

namespace {

bool IsReadOnly(const struct stat& info) {
  return S_ISREG(info.st_mode) && !(info.st_mode & S_IWUSR);
}

int Descriptor(detail::FileHandle file) { return static_cast<int>(file); }

}  // namespace

namespace detail {

namespace {

// A directory opens for reading on POSIX; it is no file to read.
FileHandle OpenForReading(TextView path) {
  int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return kNoFile;
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return kNoFile;
  }
  return fd;
}

}  // namespace

FileHandle OpenPlatformFile(TextView path, OpenMode mode) {
  if (mode == OpenMode::ReadExisting) return OpenForReading(path);
  int flags = mode == OpenMode::TruncateExisting ? O_WRONLY : O_RDWR | O_CREAT;
  int fd = ::open(NativePath(path).c_str(), flags | O_CLOEXEC, 0666);
  if (fd < 0) return kNoFile;
  // Lock and check before truncating, so that a file open elsewhere or a
  // read-only file is never emptied.
  struct stat info;
  bool granted = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &info) == 0 &&
                 !IsReadOnly(info) && (mode == OpenMode::OpenOrCreate || ::ftruncate(fd, 0) == 0);
  if (!granted) {
    ::close(fd);
    return kNoFile;
  }
  return fd;
}

std::int32_t ReadPlatformFile(FileHandle file, void* destination, std::int32_t count) {
  ssize_t got;
  do {
    got = ::read(Descriptor(file), destination, static_cast<size_t>(count));
  } while (got < 0 && errno == EINTR);
  return static_cast<std::int32_t>(got);
}

std::int32_t WritePlatformFile(FileHandle file, const void* source, std::int32_t count) {
  ssize_t put;
  do {
    put = ::write(Descriptor(file), source, static_cast<size_t>(count));
  } while (put < 0 && errno == EINTR);
  return static_cast<std::int32_t>(put);
}

bool SeekPlatformFile(FileHandle file, std::int64_t offset) {
  return ::lseek(Descriptor(file), offset, SEEK_CUR) != -1;
}

std::int64_t PlatformFileLength(FileHandle file) {
  struct stat info;
  return ::fstat(Descriptor(file), &info) == 0 ? info.st_size : -1;
}

bool ClosePlatformFile(FileHandle file) { return ::close(Descriptor(file)) == 0; }

}  // namespace detail

std::int64_t FileSizeByPath(TextView path) {
  std::string name = NativePath(path);
  if (name.empty()) return -1;
  // As on Windows, "dir/" names the directory and "file/" the file.
  while (name.size() > 1 && name.back() == '/') name.pop_back();
  struct stat info;
  if (::stat(name.c_str(), &info) != 0) return -1;
  return S_ISDIR(info.st_mode) ? -2 : info.st_size;
}

bool DeleteFileByPath(TextView path, int flags) {
  std::string name = NativePath(path);
  struct stat info;
  if (::lstat(name.c_str(), &info) != 0) return false;
  if (IsReadOnly(info)) {
    if (!(flags & DeleteForce) || ::chmod(name.c_str(), info.st_mode | S_IWUSR) != 0) return false;
  }
  return ::unlink(name.c_str()) == 0;
}

bool ReplaceFileByPath(TextView path, TextView replacement) {
  std::string from = NativePath(replacement);
  int fd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool flushed = ::fsync(fd) == 0;
  ::close(fd);
  return flushed && ::rename(from.c_str(), NativePath(path).c_str()) == 0;
}

}  // namespace kv

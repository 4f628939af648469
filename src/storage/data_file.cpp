#include "data_file.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <memory>

#include "detail/platform_file.h"
#include "runtime/constants.h"
#include "runtime/object_table.h"

namespace kv {

struct DataFile {
  detail::FileHandle handle = detail::kNoFile;
  std::unique_ptr<unsigned char[]> buffer;
  std::int64_t bufferSize = 0;
  // Read mode: unread bytes at the end of the filled part; write mode: free bytes.
  std::int64_t bufferLevel = 0;
  std::int64_t readFill = 0;  // bytes the last refill delivered
  bool readMode = true;       // the buffer holds read data or nothing, not pending writes
  bool writeFailed = false;   // some data never reached the file
};

namespace {

using detail::FileHandle;
using detail::OpenMode;

constexpr int kGrowthStep = 16;
// The largest single platform transfer.
constexpr std::int64_t kChunk = 1 << 30;

std::unique_ptr<ObjectTable<DataFile>>& Files() {
  static std::unique_ptr<ObjectTable<DataFile>> files;
  return files;
}

std::int64_t ReadFully(FileHandle file, unsigned char* destination, std::int64_t count) {
  std::int64_t done = 0;
  while (done < count) {
    auto part = static_cast<std::int32_t>(std::min(count - done, kChunk));
    std::int32_t got = detail::ReadPlatformFile(file, destination + done, part);
    if (got <= 0) break;
    done += got;
  }
  return done;
}

std::int64_t WriteFully(FileHandle file, const unsigned char* source, std::int64_t count) {
  std::int64_t done = 0;
  while (done < count) {
    auto part = static_cast<std::int32_t>(std::min(count - done, kChunk));
    std::int32_t put = detail::WritePlatformFile(file, source + done, part);
    if (put <= 0) break;
    done += put;
  }
  return done;
}

std::int64_t WriteDirect(DataFile& file, const unsigned char* source, std::int64_t count) {
  std::int64_t written = WriteFully(file.handle, source, count);
  if (written < count) file.writeFailed = true;
  return written;
}

// Writes out pending data, leaving an empty buffer in write mode.
void WriteOut(DataFile& file) {
  std::int64_t pending = file.bufferSize - file.bufferLevel;
  file.bufferLevel = file.bufferSize;
  WriteDirect(file, file.buffer.get(), pending);
}

void EnterReadMode(DataFile& file) {
  if (file.readMode) return;
  WriteOut(file);
  file.readMode = true;
  file.bufferLevel = 0;
}

void EnterWriteMode(DataFile& file) {
  if (!file.readMode) return;
  // The platform position lies past the bytes read ahead; writing starts
  // where the reader stands.
  if (file.bufferLevel > 0 && !detail::SeekPlatformFile(file.handle, -file.bufferLevel)) {
    file.writeFailed = true;
  }
  file.readMode = false;
  file.bufferLevel = file.bufferSize;
}

bool CloseFile(DataFile& file) {
  if (!file.readMode) WriteOut(file);
  bool closed = detail::ClosePlatformFile(file.handle);
  return closed && !file.writeFailed;
}

bool CloseOne(int number) {
  DataFile* file = IsDataFile(number);
  if (!file) return false;
  bool complete = CloseFile(*file);
  Files()->Remove(number);
  return complete;
}

// Opens path at number with the first mode the platform grants.
int OpenAt(int number, TextView path, std::initializer_list<OpenMode> modes) {
  auto& files = Files();
  if (!files) return 0;
  int assigned = 0;
  DataFile* file = files->Create(number, &assigned);
  if (!file) return 0;
  for (OpenMode mode : modes) {
    file->handle = detail::OpenPlatformFile(path, mode);
    if (file->handle != detail::kNoFile) break;
  }
  if (file->handle == detail::kNoFile) {
    files->Remove(assigned);
    return 0;
  }
  file->buffer = std::make_unique<unsigned char[]>(kFileBufferSize);
  file->bufferSize = kFileBufferSize;
  return number == KV_Any ? assigned : 1;
}

}  // namespace

void InitFileLibrary() {
  auto& files = Files();
  if (files) return;
  files = std::make_unique<ObjectTable<DataFile>>(kGrowthStep, [](int number) {
    if (DataFile* file = IsDataFile(number)) CloseFile(*file);
  });
}

void CloseAllDataFiles() { CloseDataFile(KV_Any); }

int CreateDataFile(int number, TextView path) {
  return OpenAt(number, path, {OpenMode::CreateOrTruncate, OpenMode::TruncateExisting});
}

int OpenDataFile(int number, TextView path) {
  return OpenAt(number, path, {OpenMode::OpenOrCreate});
}

DataFile* IsDataFile(int file) {
  auto& files = Files();
  return files ? files->Find(file) : nullptr;
}

std::int64_t DataFileLength(int file) {
  DataFile* record = IsDataFile(file);
  if (!record) return -1;
  if (!record->readMode) WriteOut(*record);
  return detail::PlatformFileLength(record->handle);
}

std::int32_t ReadFileInt32(int file) {
  unsigned char bytes[4];
  if (ReadFileBlock(file, bytes, 4) != 4) return 0;
  auto value = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
               static_cast<std::uint32_t>(bytes[2]) << 16 |
               static_cast<std::uint32_t>(bytes[3]) << 24;
  return static_cast<std::int32_t>(value);
}

std::int64_t ReadFileBlock(int file, void* destination, std::int64_t count) {
  DataFile* record = IsDataFile(file);
  if (!record || !destination || count <= 0) return 0;
  DataFile& f = *record;
  auto* out = static_cast<unsigned char*>(destination);
  EnterReadMode(f);
  const unsigned char* unread = f.buffer.get() + (f.readFill - f.bufferLevel);
  if (count <= f.bufferLevel) {
    std::memcpy(out, unread, static_cast<std::size_t>(count));
    f.bufferLevel -= count;
    return count;
  }
  std::int64_t done = f.bufferLevel;
  std::memcpy(out, unread, static_cast<std::size_t>(done));
  f.bufferLevel = 0;
  std::int64_t rest = count - done;
  if (rest >= f.bufferSize) return done + ReadFully(f.handle, out + done, rest);
  f.readFill = ReadFully(f.handle, f.buffer.get(), f.bufferSize);
  std::int64_t part = std::min(rest, f.readFill);
  std::memcpy(out + done, f.buffer.get(), static_cast<std::size_t>(part));
  f.bufferLevel = f.readFill - part;
  return done + part;
}

int WriteFileInt32(int file, std::int32_t value) {
  auto bits = static_cast<std::uint32_t>(value);
  const unsigned char bytes[4] = {
      static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
      static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
  return static_cast<int>(WriteFileBlock(file, bytes, 4));
}

std::int64_t WriteFileBlock(int file, const void* source, std::int64_t count) {
  DataFile* record = IsDataFile(file);
  if (!record || !source || count <= 0) return 0;
  DataFile& f = *record;
  const auto* in = static_cast<const unsigned char*>(source);
  EnterWriteMode(f);
  if (count > f.bufferLevel) {
    WriteOut(f);
    if (count >= f.bufferSize) return WriteDirect(f, in, count);
  }
  std::memcpy(f.buffer.get() + (f.bufferSize - f.bufferLevel), in, static_cast<std::size_t>(count));
  f.bufferLevel -= count;
  return count;
}

bool CloseDataFile(int file) {
  auto& files = Files();
  if (!files) return false;
  if (file != KV_Any) return CloseOne(file);
  bool complete = true;
  for (int number : files->Numbers()) complete = CloseOne(number) && complete;
  return complete;
}

}  // namespace kv

#include <windows.h>

#include <string>

#include "xml/detail/xml_file.h"

namespace kv {

namespace {

HANDLE AsHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

intptr_t OpenPath(TextView path, DWORD access, DWORD share, DWORD disposition) {
  std::wstring wide(path.begin(), path.end());
  HANDLE file = CreateFileW(wide.c_str(), access, share, nullptr, disposition,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  return reinterpret_cast<intptr_t>(file);
}

constexpr intptr_t kInvalid = -1;  // INVALID_HANDLE_VALUE

}  // namespace

XmlFileReader::~XmlFileReader() {
  if (handle_ != kInvalid) CloseHandle(AsHandle(handle_));
}

bool XmlFileReader::Open(TextView path) {
  handle_ = OpenPath(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  return handle_ != kInvalid;
}

int64_t XmlFileReader::Size() const {
  LARGE_INTEGER size{};
  return GetFileSizeEx(AsHandle(handle_), &size) ? size.QuadPart : -1;
}

size_t XmlFileReader::Read(void* buffer, size_t size) {
  DWORD got = 0;
  if (!ReadFile(AsHandle(handle_), buffer, static_cast<DWORD>(size), &got, nullptr)) return 0;
  return got;
}

XmlFileWriter::~XmlFileWriter() {
  if (handle_ != kInvalid) CloseHandle(AsHandle(handle_));
}

bool XmlFileWriter::Create(TextView path) {
  handle_ = OpenPath(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
  return handle_ != kInvalid;
}

bool XmlFileWriter::Write(const void* bytes, size_t size) {
  const char* next = static_cast<const char*>(bytes);
  while (size > 0) {
    DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD put = 0;
    if (!WriteFile(AsHandle(handle_), next, chunk, &put, nullptr) || put != chunk) return false;
    next += put;
    size -= put;
  }
  return true;
}

}  // namespace kv

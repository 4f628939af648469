// Windows platform calls. Exclusive opening comes from a share mode of 0.
#include <windows.h>

#include <string>

#include "detail/platform_file.h"
#include "file_paths.h"
#include "runtime/native_text.h"

namespace kv {

namespace {

HANDLE AsHandle(detail::FileHandle file) { return reinterpret_cast<HANDLE>(file); }

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsKnownDrive(const std::wstring& root) {
  UINT type = GetDriveTypeW(root.c_str());
  return type != DRIVE_UNKNOWN && type != DRIVE_NO_ROOT_DIR;
}

}  // namespace

namespace detail {

FileHandle OpenPlatformFile(TextView path, OpenMode mode) {
  if (mode == OpenMode::ReadExisting) {
    return reinterpret_cast<FileHandle>(
        CreateFileW(NativePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  DWORD access = GENERIC_READ | GENERIC_WRITE;
  DWORD disposition = OPEN_ALWAYS;
  if (mode == OpenMode::CreateOrTruncate) disposition = CREATE_ALWAYS;
  if (mode == OpenMode::TruncateExisting) {
    access = GENERIC_WRITE;
    disposition = TRUNCATE_EXISTING;
  }
  std::wstring name = NativePath(path);
  // Windows refuses to open a read-only file for writing; Wine running as root
  // does not, so the attribute is checked here too.
  DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return kNoFile;
  HANDLE file =
      CreateFileW(name.c_str(), access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  // INVALID_HANDLE_VALUE is kNoFile.
  return reinterpret_cast<FileHandle>(file);
}

std::int32_t ReadPlatformFile(FileHandle file, void* destination, std::int32_t count) {
  DWORD got = 0;
  if (!ReadFile(AsHandle(file), destination, static_cast<DWORD>(count), &got, nullptr)) return -1;
  return static_cast<std::int32_t>(got);
}

std::int32_t WritePlatformFile(FileHandle file, const void* source, std::int32_t count) {
  DWORD put = 0;
  if (!WriteFile(AsHandle(file), source, static_cast<DWORD>(count), &put, nullptr)) return -1;
  return static_cast<std::int32_t>(put);
}

bool SeekPlatformFile(FileHandle file, std::int64_t offset) {
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  return SetFilePointerEx(AsHandle(file), distance, nullptr, FILE_CURRENT) != 0;
}

std::int64_t PlatformFileLength(FileHandle file) {
  LARGE_INTEGER length;
  return GetFileSizeEx(AsHandle(file), &length) ? length.QuadPart : -1;
}

bool ClosePlatformFile(FileHandle file) { return CloseHandle(AsHandle(file)) != 0; }

}  // namespace detail

std::int64_t FileSizeByPath(TextView path) {
  std::wstring name = NativePath(path);
  // "C:" or "C:\": the drive's root.
  if (name.size() >= 2 && name[1] == L':' &&
      (name.size() == 2 || (name.size() == 3 && IsSeparator(name[2])))) {
    return IsKnownDrive(name.substr(0, 2) + L"\\") ? -2 : -1;
  }
  if (name.empty()) return -1;
  while (!name.empty() && IsSeparator(name.back())) name.pop_back();
  if (name.empty()) return -2;  // the root of the current drive
  WIN32_FILE_ATTRIBUTE_DATA info;
  if (GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &info)) {
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -2;
    return static_cast<std::int64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
  }
  // A share root may have no attributes of its own and still be a drive.
  bool shareOrParent =
      name.size() >= 2 && ((IsSeparator(name[0]) && name[1] == name[0]) || name.starts_with(L".."));
  return shareOrParent && IsKnownDrive(name + L"\\") ? -2 : -1;
}

bool DeleteFileByPath(TextView path, int flags) {
  std::wstring name = NativePath(path);
  DWORD attributes = GetFileAttributesW(name.c_str());
  if ((flags & DeleteForce) && attributes != INVALID_FILE_ATTRIBUTES &&
      !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  return DeleteFileW(name.c_str()) != 0;
}

bool ReplaceFileByPath(TextView path, TextView replacement) {
  std::wstring to = NativePath(path);
  std::wstring from = NativePath(replacement);
  HANDLE file = CreateFileW(from.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool flushed = FlushFileBuffers(file) != 0;
  CloseHandle(file);
  if (!flushed) return false;
  // A read-only file cannot be replaced; its attribute comes back if the move fails.
  DWORD attributes = GetFileAttributesW(to.c_str());
  bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
  if (readOnly) SetFileAttributesW(to.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  if (readOnly) SetFileAttributesW(to.c_str(), attributes);
  return false;
}

}  // namespace kv

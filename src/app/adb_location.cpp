#include "app/adb_location.h"

#include "process/process.h"
#include "storage/file_paths.h"

namespace kv {

Text DefaultAdbPath() { return PathDirectory(OwnExecutablePath()) + Text(kAdbFileName); }

Text FindInstalledAdb() {
  for (const Text& candidate : AdbCandidates()) {
    if (FileSizeByPath(candidate) >= 0) return candidate;  // a folder's size is negative
  }
  return {};
}

std::vector<Text> FoldersOfPathList(TextView value, char16_t separator) {
  std::vector<Text> folders;
  while (!value.empty()) {
    std::size_t end = value.find(separator);
    TextView folder = value.substr(0, end);
    if (folder.size() >= 2 && folder.front() == u'"' && folder.back() == u'"') {
      folder = folder.substr(1, folder.size() - 2);
    }
    if (!folder.empty()) folders.emplace_back(folder);
    if (end == TextView::npos) break;
    value.remove_prefix(end + 1);
  }
  return folders;
}

}  // namespace kv

#include <cstdlib>

#include "app/adb_location.h"

namespace kv {

const char16_t kAdbFileName[] = u"adb";

std::vector<Text> AdbCandidates() {
  const char* path = std::getenv("PATH");
  std::vector<Text> candidates;
  for (Text& folder : FoldersOfPathList(DecodeUtf8(path ? path : ""), u':')) {
    if (!folder.ends_with(u'/')) folder += u'/';
    candidates.push_back(folder + u"adb");
  }
  return candidates;
}

}  // namespace kv

#include <cstdlib>
#include <string_view>

#include "app/adb_location.h"

namespace kv {

const char16_t kAdbFileName[] = u"ADB.exe";

namespace {

Text Variable(const wchar_t* name) {
  const wchar_t* value = _wgetenv(name);
  std::wstring_view wide = value ? value : L"";
  return Text(wide.begin(), wide.end());
}

Text InFolder(Text folder, TextView file) {
  if (!folder.ends_with(u'\\') && !folder.ends_with(u'/')) folder += u'\\';
  return folder + Text(file);
}

}  // namespace

std::vector<Text> AdbCandidates() {
  std::vector<Text> candidates;
  for (const Text& folder : FoldersOfPathList(Variable(L"PATH"), u';')) {
    candidates.push_back(InFolder(folder, u"adb.exe"));
  }
  Text localAppData = Variable(L"LOCALAPPDATA");
  if (!localAppData.empty()) {
    candidates.push_back(InFolder(localAppData, u"Android\\Sdk\\platform-tools\\adb.exe"));
  }
  return candidates;
}

}  // namespace kv

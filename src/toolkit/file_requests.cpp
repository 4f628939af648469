#include "detail/file_requests.h"

#include <algorithm>

namespace kv::detail {

namespace {

bool IsValidFileName(TextView name) {
  if (name.empty()) return false;
  return std::none_of(name.begin(), name.end(), [](char16_t c) {
    return c < 32 || TextView(u"\"*/:<>?\\|").find(c) != TextView::npos;
  });
}

}  // namespace

Text FilterFromPattern(TextView pattern) {
  Text filter(pattern);
  std::replace(filter.begin(), filter.end(), u'|', u'\0');
  filter.append(2, u'\0');
  return filter;
}

InitialFile SplitDefaultFile(TextView defaultFile) {
  InitialFile initial;
  size_t slash = defaultFile.rfind(u'\\');
  TextView name = defaultFile;
  if (slash != TextView::npos && slash > 0) {
    initial.directory = Text(defaultFile.substr(0, slash));
    name = defaultFile.substr(slash + 1);
  }
  name = name.substr(0, kFileBufferSize - 1);
  if (IsValidFileName(name)) initial.fileName = Text(name);
  return initial;
}

}  // namespace kv::detail
